#include "platform/KxPath.h"

#include <algorithm>
#include <filesystem>

#include "util/KxText.h"

namespace fs = std::filesystem;

namespace kx {

namespace {

// The entry of dir whose name equals component without regard to case, or an
// empty path. An exact match wins over a case-insensitive one.
fs::path FindNoCase(const fs::path& dir, const std::string& component) {
    std::error_code ec;
    if (fs::exists(dir / component, ec))
        return dir / component;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
    if (ec)
        return {};
    for (const auto& entry : it) {
        std::string name = entry.path().filename().string();
        if (EqualNoCase(name.c_str(), component.c_str()))
            return dir / name;
    }
    return {};
}

}  // namespace

std::string WindowsNameToPath(const std::string& name) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::error_code ec;
    if (slashed.empty() || fs::exists(slashed, ec))
        return slashed;

    fs::path wanted(slashed);
    fs::path found = wanted.root_path();
    for (const auto& part : wanted.relative_path()) {
        std::string component = part.string();
        if (component.empty() || component == "." || component == "..") {
            found /= part;
            continue;
        }
        fs::path next = FindNoCase(found, component);
        if (next.empty())
            return slashed;
        found = next;
    }
    return found.string();
}

}  // namespace kx
