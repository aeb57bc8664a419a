// Windows-style file names on a case-sensitive file system.
#pragma once

#include <string>

namespace kx {

// Turns a Windows-style name ("Buttons\FaultOff\TopIn.bmp") into a path:
// backslashes become slashes. When that exact path does not exist, the name is
// looked up component by component, each component matched without regard to
// letter case, so an art set copied from Windows still loads. When nothing
// matches, the slash form is returned so that error texts show what was asked.
std::string WindowsNameToPath(const std::string& name);

}  // namespace kx
