#include "banner/KxBanner.h"

#include <cstdio>
#include <limits>

#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"

std::string KxBanner::s_command;

namespace {

// One word of a command line, in double quotes; a quote inside it is
// written as three quotes, which the command-line splitting reads back as one.
std::string Quoted(const std::string& word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"')
            out += "\"\"\"";
        else
            out += c;
    }
    out += '"';
    return out;
}

}  // namespace

KxBanner::KxBanner(std::uint8_t* genericSegment, const char* segmentName)
    : m_segment(genericSegment), m_segmentName(segmentName != nullptr ? segmentName : "") {}

void KxBanner::SetProgramCommand(const std::string& command) {
    s_command = command;
}

std::string KxBanner::DefaultProgramCommand() {
    std::string folder = kx::ProgramFolder();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return Quoted(folder + "skylid-banner");
}

std::string KxBanner::GetProgramCommand() {
    return s_command.empty() ? DefaultProgramCommand() : s_command;
}

std::string KxBanner::StartCommand() const {
    std::string command = GetProgramCommand();
    if (!m_segmentName.empty() && m_segmentName != Gensim_Shm::kName)
        command += " --segment " + Quoted(m_segmentName);
    return command;
}

bool KxBanner::Start() {
    if (m_segment == nullptr)
        return false;
    std::fflush(nullptr);
    std::string command = StartCommand();
    std::string why;
    if (!kx::StartDetached(command, why)) {
        SetError("KxBanner::Start", why.c_str(), command.c_str());
        return false;
    }
    return true;
}

void KxBanner::SetHeading(const char* text) {
    generic::kBannerHeading.Write(m_segment, text);
}

void KxBanner::SetMessage(const char* text) {
    generic::kBannerMessage.Write(m_segment, text);
}

void KxBanner::SetProgress(int percent) {
    generic::kStartupProgress.Write(m_segment, percent);
}

void KxBanner::AddProgress(int percent) {
    if (m_segment == nullptr)
        return;
    long long sum = static_cast<long long>(generic::kStartupProgress.Read(m_segment)) + percent;
    generic::kStartupProgress.Write(m_segment, static_cast<std::int32_t>(kx::Limit<long long>(
                                                   sum, std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max())));
}

void KxBanner::SetSuccess() {
    generic::kStartupSuccess.Write(m_segment, 1);
}

void KxBanner::SetWarning() {
    generic::kStartupWarning.Write(m_segment, 1);
}

void KxBanner::SetFailure() {
    generic::kStartupFailed.Write(m_segment, 1);
}
