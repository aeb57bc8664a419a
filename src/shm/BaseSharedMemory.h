// BaseSharedMemory: a named shared-memory segment of a fixed size.
//
// The first process creates the segment; every later process attaches to it
// by name. On this system a segment is a POSIX shared-memory object
// ("/" + name): it is created only if it does not exist (mode 0600, so only
// the same user reaches it), and attaching refuses a segment smaller than the
// size this program was built for, because mapping it and writing at a high
// offset would kill the process.
#pragma once

#include <cstdint>

#include "log/Kx_ErrorReport.h"

class BaseSharedMemory : public Kx_ErrorReport {
  public:
    static constexpr std::size_t kNameSize = 64;

    BaseSharedMemory() = default;
    ~BaseSharedMemory();
    BaseSharedMemory(const BaseSharedMemory&) = delete;
    BaseSharedMemory& operator=(const BaseSharedMemory&) = delete;

    // Creates the segment of size bytes; fails with EEXIST when it exists.
    bool CreateMapping(std::uint32_t size);
    // Opens the existing segment read-write and stores the handle.
    bool OpenMapping();
    // Maps the whole segment; refuses one smaller than the expected size.
    bool MapView();
    bool CreateAndAttach();
    bool Attach();
    // Unmaps the view and closes the handle. The segment itself stays.
    void Release();
    // Removes the segment's name; processes still attached keep their view.
    void Remove();

    void* GetView() const { return m_view; }
    void ClearView(std::uint32_t count);
    const char* GetErrorText() { return Kx_ErrorReport::GetErrorText(); }

    const char* GetName() const { return m_name; }
    std::uint32_t GetSize() const { return m_size; }
    // The error number of the last failed step (0 when none failed).
    int GetLastErrorCode() const { return m_lastError; }

  protected:
    void SetNameAndSize(const char* name, std::uint32_t size);

  private:
    bool Fail(const char* format, int code);

    char m_name[kNameSize] = {};
    int m_handle = -1;
    void* m_view = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_mappedSize = 0;
    int m_lastError = 0;
};
