// Opens an existing generic segment directly, the way a tool that only looks
// at the segment should: no creation, no attach counting. `get`, `set`,
// `dump` and `watch` use it; `serve` attaches through Gensim_Shm instead.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace host {

class DirectSegment {
  public:
    DirectSegment() = default;
    ~DirectSegment();
    DirectSegment(const DirectSegment&) = delete;
    DirectSegment& operator=(const DirectSegment&) = delete;

    // Opens the segment of that name (without the leading slash), checks that
    // it holds at least the generic segment's size and that its version text
    // is this build's, and maps it (read-only unless writable). On failure
    // error explains it (a missing segment, a smaller one, another version)
    // and nothing is mapped.
    bool Open(const std::string& name, bool writable, std::string& error);

    std::uint8_t* View() const { return m_view; }

    // False once the segment's name no longer leads to the segment mapped
    // here: the last process attached to it has left and removed it.
    bool StillPresent() const;

  private:
    void Close();

    std::string m_posixName;
    std::uint8_t* m_view = nullptr;
    std::size_t m_mapped = 0;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

}  // namespace host
