#include "platform/KxSystem.h"

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
std::string g_lastMessage;

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

void MessageBox(const char* text, const char* caption) {
    g_lastMessage = text ? text : "";
    if (Headless()) {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "Skylid", g_lastMessage.c_str());
        return;
    }
    QMessageBox::warning(nullptr, QString::fromUtf8(caption ? caption : "Skylid"),
                         QString::fromUtf8(g_lastMessage.c_str()));
}

const std::string& LastMessageBoxText() {
    return g_lastMessage;
}

}  // namespace kx
