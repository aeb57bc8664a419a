// The row tables of the generic segment that the host knows. A panel that
// adds fields lists its table here, one line, under the heading the host
// shows for it.
#include "host/HostRegistry.h"
#include "host/StartupRows.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "units/FcuLayout.h"

namespace host {

namespace {

const RowTable kGenericTables[] = {
    {"Program", generic::kProgramFields},
    {"Start-up report", rows::kStartupReport},
    {"Configuration", rows::kConfiguration},
    {"Electrical panel", elec::kFields},
    {"FCU", fcu::kFields},
};

}  // namespace

std::span<const RowTable> GenericRowTables() {
    return kGenericTables;
}

const Registry& GenericRegistry() {
    static const Registry registry(GenericRowTables(), Gensim_Shm::kSize);
    return registry;
}

bool IsReadOnly(const NamedField& field) {
    auto overlaps = [&field](std::uint64_t start, std::uint64_t width) {
        return field.offset < start + width && start < field.offset + std::uint64_t{field.width};
    };
    return overlaps(generic::kVersion.Offset(), decltype(generic::kVersion)::kSize) ||
           overlaps(generic::kAttachCounter.Offset(), sizeof(std::int32_t));
}

}  // namespace host
