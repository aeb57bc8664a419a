// The fields that watch and record follow, and what each held when last
// looked at: one look finds every field whose bytes changed since, and hands
// it over twice, first while the image still holds the old value, then once
// the new bytes have been taken in.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "fields/HostRegistry.h"

namespace host {

class FieldChanges {
  public:
    FieldChanges(std::vector<const NamedField*> fields, const std::uint8_t* view,
                 std::uint32_t segmentSize)
        : m_fields(std::move(fields)), m_image(view, view + segmentSize) {}

    const std::vector<const NamedField*>& Fields() const { return m_fields; }
    // The segment as last looked at: format a field's value from here.
    const std::uint8_t* Image() const { return m_image.data(); }

    // Calls before(field) and after(field) for every field that changed;
    // returns how many did.
    template <typename Before, typename After>
    int Look(const std::uint8_t* view, Before before, After after) {
        int changed = 0;
        for (const NamedField* field : m_fields) {
            std::uint8_t* seen = m_image.data() + field->offset;
            if (std::memcmp(seen, view + field->offset, field->width) == 0)
                continue;
            before(*field);
            std::memcpy(seen, view + field->offset, field->width);
            after(*field);
            ++changed;
        }
        return changed;
    }

  private:
    std::vector<const NamedField*> m_fields;
    std::vector<std::uint8_t> m_image;
};

}  // namespace host
