#include "platform/KxSystem.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace kx {

int LastErrorCode() {
    return errno;
}

std::string SystemErrorText(int code) {
    return std::strerror(code);
}

std::string ProgramPath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    buffer[n] = '\0';
    return buffer;
}

std::string ProgramFolder() {
    std::string path = ProgramPath();
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool StartDetached(const std::string& commandLine, std::string& error) {
    QStringList words = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (words.isEmpty()) {
        error = "empty command line";
        return false;
    }
    QString program = words.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(program, words, QString(), &pid)) {
        error = "cannot start " + program.toStdString();
        return false;
    }
    return true;
}

namespace {

// Calls visit(pid) for every process in /proc; stops when visit returns false.
template <typename Visit>
void ForEachProcess(Visit visit) {
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return;
    while (dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        long pid = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || pid <= 0)
            continue;
        if (!visit(static_cast<int>(pid)))
            break;
    }
    ::closedir(proc);
}

// "00:1b 309" in a maps line, or "00:1b:309" in a lock line: the device as
// hexadecimal major and minor, then the inode in decimal.
bool SameFile(unsigned major, unsigned minor, unsigned long long ino, unsigned long long device,
              unsigned long long inode) {
    return ino == inode && major == ::major(device) && minor == ::minor(device);
}

}  // namespace

FileUsers FindFileUsers(unsigned long long device, unsigned long long inode) {
    FileUsers users;
    const int self = static_cast<int>(::getpid());
    ForEachProcess([&](int pid) {
        std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
        std::string line;
        int found = 0;
        while (std::getline(maps, line)) {
            unsigned major = 0, minor = 0;
            unsigned long long ino = 0;
            // address perms offset dev inode path
            if (std::sscanf(line.c_str(), "%*s %*s %*s %x:%x %llu", &major, &minor, &ino) == 3 &&
                SameFile(major, minor, ino, device, inode)) {
                ++found;
                if (pid != self)
                    break;
            }
        }
        if (pid == self)
            users.ownMappings = found;
        else if (found > 0)
            ++users.otherProcesses;
        return true;
    });
    return users;
}

int FindLockHolder(unsigned long long device, unsigned long long inode) {
    int holder = -1;
    ForEachProcess([&](int pid) {
        std::string folder = "/proc/" + std::to_string(pid) + "/fdinfo";
        DIR* fds = ::opendir(folder.c_str());
        if (fds == nullptr)
            return true;
        while (dirent* entry = ::readdir(fds)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream info(folder + "/" + entry->d_name);
            std::string line;
            while (std::getline(info, line)) {
                if (line.rfind("lock:", 0) != 0)
                    continue;
                // lock:  1: OFDLCK ADVISORY  WRITE -1 00:1b:309 0 EOF
                unsigned major = 0, minor = 0;
                unsigned long long ino = 0;
                if (std::sscanf(line.c_str(), "lock: %*s %*s %*s %*s %*s %x:%x:%llu", &major,
                                &minor, &ino) == 3 &&
                    SameFile(major, minor, ino, device, inode)) {
                    holder = pid;
                }
            }
            if (holder >= 0)
                break;
        }
        ::closedir(fds);
        return holder < 0;
    });
    return holder;
}

std::string DescribeProcess(int pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (std::getline(comm, name) && !name.empty())
        return name + " (pid " + std::to_string(pid) + ")";
    return "pid " + std::to_string(pid);
}

std::string UserName(unsigned uid) {
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr)
        return found->pw_name;
    return "uid " + std::to_string(uid);
}

void KeepCLocale() {
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    std::setlocale(LC_MONETARY, "C");
    std::setlocale(LC_COLLATE, "C");
    std::setlocale(LC_MESSAGES, "C");
}

namespace {
std::string g_lastMessage;
void (*g_observer)(const char*) = nullptr;

bool Headless() {
    const char* flag = std::getenv("SKYLID_HEADLESS");
    if (flag != nullptr && *flag != '\0' && std::strcmp(flag, "0") != 0)
        return true;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return true;
    QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
}  // namespace

void SetMessageBoxObserver(void (*observer)(const char* text)) {
    g_observer = observer;
}

void MessageBox(const char* text, const char* caption) {
    g_lastMessage = text ? text : "";
    if (g_observer != nullptr)
        g_observer(g_lastMessage.c_str());
    if (Headless()) {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "Skylid", g_lastMessage.c_str());
        return;
    }
    QMessageBox::warning(nullptr, QString::fromUtf8(caption ? caption : "Skylid"),
                         QString::fromUtf8(g_lastMessage.c_str()));
}

void StopBox(const char* text, const char* caption) {
    g_lastMessage = text ? text : "";
    if (g_observer != nullptr)
        g_observer(g_lastMessage.c_str());
    if (Headless()) {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "Skylid", g_lastMessage.c_str());
        return;
    }
    QMessageBox::critical(nullptr, QString::fromUtf8(caption ? caption : "Skylid"),
                          QString::fromUtf8(g_lastMessage.c_str()));
}

const std::string& LastMessageBoxText() {
    return g_lastMessage;
}

}  // namespace kx
