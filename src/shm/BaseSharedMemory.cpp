#include "shm/BaseSharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/KxText.h"

namespace {

// "GenericSimSharedMemory" -> "/GenericSimSharedMemory".
void PosixName(const char* name, char (&out)[BaseSharedMemory::kNameSize + 1]) {
    out[0] = '/';
    kx::StrCopy(out + 1, BaseSharedMemory::kNameSize, name);
}

}  // namespace

BaseSharedMemory::~BaseSharedMemory() {
    Release();
}

void BaseSharedMemory::SetNameAndSize(const char* name, std::uint32_t size) {
    kx::StrCopy(m_name, name);
    m_size = size;
}

bool BaseSharedMemory::Fail(const char* format, int code) {
    char text[128];
    m_lastError = code;
    kx::Format(text, sizeof text, format, code);
    SetError(text);
    return false;
}

bool BaseSharedMemory::CreateMapping(std::uint32_t size) {
    char posix[kNameSize + 1];
    PosixName(m_name, posix);
    int fd = ::shm_open(posix, O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return Fail("Creating Shared memory (Code: %d)", errno);
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        int code = errno;
        ::close(fd);
        ::shm_unlink(posix);
        return Fail("Creating Shared memory (Code: %d)", code);
    }
    // The segment lives on by its name; the creating handle is not kept.
    ::close(fd);
    return true;
}

bool BaseSharedMemory::OpenMapping() {
    char posix[kNameSize + 1];
    PosixName(m_name, posix);
    int fd = ::shm_open(posix, O_RDWR | O_CLOEXEC, 0);
    if (fd < 0)
        return Fail("OpenFileMapping (Code: %d)", errno);
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = fd;
    return true;
}

bool BaseSharedMemory::MapView() {
    struct stat info {};
    if (::fstat(m_handle, &info) != 0)
        return Fail("MapViewOfFile (Code: %d)", errno);
    if (info.st_size < static_cast<off_t>(m_size)) {
        char text[256];
        m_lastError = EINVAL;
        kx::Format(text, sizeof text,
                   "MapViewOfFile (Code: %d)\nSegment %s holds %lld bytes, %u expected", EINVAL,
                   m_name, static_cast<long long>(info.st_size), m_size);
        SetError(text);
        return false;
    }
    void* view = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_SHARED, m_handle, 0);
    if (view == MAP_FAILED)
        return Fail("MapViewOfFile (Code: %d)", errno);
    m_view = view;
    m_mappedSize = m_size;
    return true;
}

bool BaseSharedMemory::CreateAndAttach() {
    return CreateMapping(m_size) && OpenMapping() && MapView();
}

bool BaseSharedMemory::Attach() {
    return OpenMapping() && MapView();
}

void BaseSharedMemory::Release() {
    if (m_view != nullptr) {
        ::munmap(m_view, m_mappedSize);
        m_view = nullptr;
        m_mappedSize = 0;
    }
    if (m_handle >= 0) {
        ::close(m_handle);
        m_handle = -1;
    }
}

void BaseSharedMemory::Remove() {
    char posix[kNameSize + 1];
    PosixName(m_name, posix);
    ::shm_unlink(posix);
}

void BaseSharedMemory::ClearView(std::uint32_t count) {
    if (m_view == nullptr || count == 0)
        return;
    std::memset(m_view, 0, count < m_mappedSize ? count : m_mappedSize);
}
