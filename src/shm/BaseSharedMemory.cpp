#include "shm/BaseSharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/KxSystem.h"
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
    m_explained = false;
    kx::Format(text, sizeof text, format, code);
    SetError(text);
    return false;
}

bool BaseSharedMemory::Refuse(int code, const char* text) {
    m_lastError = code;
    m_explained = true;
    SetError(text);
    return false;
}

// Only a segment of this user that nobody else may write is used.
bool BaseSharedMemory::CheckOwner(const struct stat& info) {
    char text[256];
    const unsigned me = ::geteuid();
    if (info.st_uid != me) {
        kx::Format(text, sizeof text,
                   "Segment %s belongs to %s, not to %s: it is not used.\n"
                   "Its owner must remove it (rm /dev/shm/%s), or start with --segment NAME",
                   m_name, kx::UserName(info.st_uid).c_str(), kx::UserName(me).c_str(), m_name);
        return Refuse(EACCES, text);
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        kx::Format(text, sizeof text,
                   "Segment %s may be written by other users (mode %04o): it is not used.\n"
                   "Remove it (rm /dev/shm/%s) and start again",
                   m_name, static_cast<unsigned>(info.st_mode & 07777), m_name);
        return Refuse(EACCES, text);
    }
    return true;
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
    if (!CheckOwner(info))
        return false;
    if (info.st_size < static_cast<off_t>(m_size)) {
        char text[256];
        kx::Format(text, sizeof text,
                   "MapViewOfFile (Code: %d)\nSegment %s holds %lld bytes, %u expected", EINVAL,
                   m_name, static_cast<long long>(info.st_size), m_size);
        return Refuse(EINVAL, text);
    }
    void* view = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_SHARED, m_handle, 0);
    if (view == MAP_FAILED)
        return Fail("MapViewOfFile (Code: %d)", errno);
    m_view = view;
    m_mappedSize = m_size;
    m_device = info.st_dev;
    m_inode = info.st_ino;
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

bool BaseSharedMemory::IsUsedElsewhere() const {
    kx::FileUsers users = kx::FindFileUsers(m_device, m_inode);
    return users.otherProcesses > 0 || users.ownMappings > (m_view != nullptr ? 1 : 0);
}

void BaseSharedMemory::RemoveIfSame() {
    char posix[kNameSize + 1];
    PosixName(m_name, posix);
    int fd = ::shm_open(posix, O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    struct stat info {};
    bool same = ::fstat(fd, &info) == 0 &&
                static_cast<unsigned long long>(info.st_dev) == m_device &&
                static_cast<unsigned long long>(info.st_ino) == m_inode;
    ::close(fd);
    if (same)
        ::shm_unlink(posix);
}

// An open-file-description lock: it belongs to this attachment's descriptor,
// so a second attachment conflicts even inside one process, and it goes away
// by itself when the process ends, however it ends.
bool BaseSharedMemory::LockExclusive(std::string& holder) {
    holder.clear();
    if (m_handle < 0)
        return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(m_handle, F_OFD_SETLK, &lock) == 0)
        return true;
    int pid = kx::FindLockHolder(m_device, m_inode);
    holder = pid > 0 ? kx::DescribeProcess(pid) : std::string("another process");
    return false;
}

void BaseSharedMemory::ClearView(std::uint32_t count) {
    if (m_view == nullptr || count == 0)
        return;
    std::memset(m_view, 0, count < m_mappedSize ? count : m_mappedSize);
}
