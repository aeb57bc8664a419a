#include "host/DirectSegment.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace host {

namespace {

// How long to wait for a creator that has made the segment but not yet
// written its version text (it writes it last).
constexpr auto kCreationWait = std::chrono::seconds(2);

}  // namespace

DirectSegment::~DirectSegment() {
    Close();
}

void DirectSegment::Close() {
    if (m_view != nullptr)
        ::munmap(m_view, m_mapped);
    m_view = nullptr;
    m_mapped = 0;
}

bool DirectSegment::Open(const std::string& name, bool writable, std::string& error) {
    Close();
    m_posixName = "/" + name;
    int fd = ::shm_open(m_posixName.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC, 0);
    if (fd < 0) {
        int code = errno;
        if (code == ENOENT) {
            error = "there is no segment \"" + name +
                    "\": start the cockpit or `skylid-host serve` first";
        } else {
            error = "cannot open segment \"" + name + "\": " + kx::SystemErrorText(code);
        }
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = "cannot read the size of segment \"" + name + "\": " + kx::SystemErrorText(errno);
        ::close(fd);
        return false;
    }
    if (info.st_size < static_cast<off_t>(Gensim_Shm::kSize)) {
        error = "segment \"" + name + "\" holds " + std::to_string(info.st_size) + " bytes, " +
                std::to_string(Gensim_Shm::kSize) + " expected";
        ::close(fd);
        return false;
    }
    void* view = ::mmap(nullptr, Gensim_Shm::kSize, PROT_READ | (writable ? PROT_WRITE : 0),
                        MAP_SHARED, fd, 0);
    int mapError = errno;
    ::close(fd);
    if (view == MAP_FAILED) {
        error = "cannot map segment \"" + name + "\": " + kx::SystemErrorText(mapError);
        return false;
    }
    m_view = static_cast<std::uint8_t*>(view);
    m_mapped = Gensim_Shm::kSize;
    m_device = info.st_dev;
    m_inode = info.st_ino;

    auto start = std::chrono::steady_clock::now();
    while (__atomic_load_n(m_view, __ATOMIC_ACQUIRE) == 0 &&
           std::chrono::steady_clock::now() - start < kCreationWait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    char version[SimSegment::kVersionFieldSize + 1];
    generic::kVersion.Read(m_view, version, sizeof version);
    for (char& c : version) {
        if (c != '\0' && (c < 0x20 || c > 0x7E))
            c = '?';  // shown in a message; the comparison below fails anyway
    }
    if (std::strcmp(version, Gensim_Shm::kVersionText) != 0) {
        error = "segment \"" + name +
                "\":\nShared Memory Version Mismatch\nPlease rebuild software\n(the segment "
                "holds \"" +
                version + "\", this build \"" + Gensim_Shm::kVersionText + "\")";
        Close();
        return false;
    }
    return true;
}

bool DirectSegment::StillPresent() const {
    int fd = ::shm_open(m_posixName.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno != ENOENT;
    struct stat info {};
    bool same = ::fstat(fd, &info) != 0 || (info.st_dev == m_device && info.st_ino == m_inode);
    ::close(fd);
    return same;
}

}  // namespace host
