// BaseSharedMemory: a named shared-memory segment of a fixed size.
//
// The first process creates the segment; every later process attaches to it
// by name. On this system a segment is a POSIX shared-memory object
// ("/" + name): it is created only if it does not exist (mode 0600, so only
// the same user reaches it). Attaching refuses a segment that another user
// owns or that others may write (someone else could feed the cockpit false
// indications or read the trainee's inputs), and one smaller than the size
// this program was built for, because mapping it and writing at a high
// offset would kill the process.
#pragma once

#include <cstdint>
#include <string>

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

    // Whether some other mapping of the segment exists (another process, or
    // another attachment in this one) besides this object's own view.
    bool IsUsedElsewhere() const;
    // Removes the segment's name if it still leads to the segment mapped
    // here (and not to one made anew by another process meanwhile).
    void RemoveIfSame();
    // Takes an exclusive advisory lock on the segment for as long as it is
    // attached. When another attachment holds it, false, with the holder in
    // holder ("skylid (pid 1234)").
    bool LockExclusive(std::string& holder);

    void* GetView() const { return m_view; }
    void ClearView(std::uint32_t count);
    const char* GetErrorText() { return Kx_ErrorReport::GetErrorText(); }

    const char* GetName() const { return m_name; }
    std::uint32_t GetSize() const { return m_size; }
    // The error number of the last failed step (0 when none failed).
    int GetLastErrorCode() const { return m_lastError; }
    // True when the last failure's text explains itself (a refused owner,
    // mode or size) and should be shown as it is.
    bool IsFailureExplained() const { return m_explained; }

  protected:
    void SetNameAndSize(const char* name, std::uint32_t size);

  private:
    bool Fail(const char* format, int code);
    bool Refuse(int code, const char* text);
    bool CheckOwner(const struct stat& info);

    char m_name[kNameSize] = {};
    int m_handle = -1;
    void* m_view = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_mappedSize = 0;
    int m_lastError = 0;
    bool m_explained = false;
    unsigned long long m_device = 0;
    unsigned long long m_inode = 0;
};
