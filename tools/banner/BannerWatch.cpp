#include "BannerWatch.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace banner {

int ExitCode(Result result) {
    switch (result) {
        case Result::kSuccess:
            return kExitSuccess;
        case Result::kFailure:
            return kExitFailure;
        default:
            return kExitNoResult;
    }
}

SegmentReader::SegmentReader(const char* name) {
    SetNameAndSize(name, Gensim_Shm::kSize);
}

bool SegmentReader::AttachWaiting(int waitMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    const auto pause = std::chrono::milliseconds(20);
    // A creator makes the segment, gives it its size and writes the version
    // text last; wait for all three.
    while (!Attach()) {
        Release();
        if (Clock::now() >= deadline) {
            std::string why = GetErrorText();
            SetError("skylid-banner", "The segment did not appear", why.c_str());
            return false;
        }
        std::this_thread::sleep_for(pause);
    }
    char version[SimSegment::kVersionFieldSize + 1];
    for (;;) {
        generic::kVersion.Read(GetView(), version, sizeof version);
        if (version[0] != '\0')
            break;
        if (Clock::now() >= deadline) {
            SetError("skylid-banner", "The segment was never initialised", GetName());
            return false;
        }
        std::this_thread::sleep_for(pause);
    }
    if (std::strcmp(version, Gensim_Shm::kVersionText) != 0) {
        SetError("skylid-banner", "Shared Memory Version Mismatch\nPlease rebuild software");
        return false;
    }
    return true;
}

BannerWatch::BannerWatch(const std::uint8_t* segment, IBannerView& view)
    : m_segment(segment), m_view(view) {}

void BannerWatch::Take(Snapshot& s) const {
    generic::kBannerHeading.Read(m_segment, s.heading, sizeof s.heading);
    generic::kBannerMessage.Read(m_segment, s.message, sizeof s.message);
    s.progress = generic::kStartupProgress.Read(m_segment);
    s.success = generic::kStartupSuccess.Read(m_segment) != 0;
    s.warning = generic::kStartupWarning.Read(m_segment) != 0;
    s.failed = generic::kStartupFailed.Read(m_segment) != 0;
    s.progressCount = generic::report::kProgressCount.Read(m_segment);
    s.errorCount = generic::report::kErrorCount.Read(m_segment);
    s.attachCount = generic::kAttachCounter.Read(m_segment);
}

void BannerWatch::ShowEntries(const Snapshot& now) {
    if (m_reportPending) {
        char heading[50];
        char text[512];
        generic::report::kHeading.Read(m_segment, heading, sizeof heading);
        generic::report::kText.Read(m_segment, text, sizeof text);
        m_view.ShowReport(now.progressCount, heading, text);
        m_shown.progressCount = now.progressCount;
        m_reportPending = false;
    }
    if (m_errorPending) {
        char title[512];
        char consequence[512];
        char detail[512];
        generic::report::kErrorTitle.Read(m_segment, title, sizeof title);
        generic::report::kErrorConsequence.Read(m_segment, consequence, sizeof consequence);
        generic::report::kErrorDetail.Read(m_segment, detail, sizeof detail);
        m_view.ShowError(now.errorCount, title, consequence, detail);
        m_shown.errorCount = now.errorCount;
        m_errorPending = false;
    }
}

Result BannerWatch::Poll() {
    Snapshot now{};
    Take(now);

    // Entries whose counters changed at the last look have their texts now.
    ShowEntries(now);
    if (std::strcmp(now.heading, m_shown.heading) != 0) {
        m_view.ShowHeading(now.heading);
        kx::StrCopy(m_shown.heading, now.heading);
    }
    if (std::strcmp(now.message, m_shown.message) != 0) {
        m_view.ShowMessage(now.message);
        kx::StrCopy(m_shown.message, now.message);
    }
    if (now.progress != m_shown.progress) {
        m_view.ShowProgress(now.progress);
        m_shown.progress = now.progress;
    }
    if (now.warning && !m_shown.warning) {
        m_view.ShowWarning();
        m_shown.warning = true;
    }
    m_reportPending = now.progressCount != m_shown.progressCount;
    m_errorPending = now.errorCount != m_shown.errorCount;

    Result result = Result::kRunning;
    if (now.success)
        result = Result::kSuccess;
    else if (now.failed)
        result = Result::kFailure;
    else if (now.attachCount <= 0)
        result = Result::kProgramGone;  // everyone else has left
    if (result == Result::kRunning)
        return result;
    // The final state: one more look so that the last texts are complete.
    if (!m_finishing || m_reportPending || m_errorPending) {
        m_finishing = true;
        return Result::kRunning;
    }
    m_view.ShowResult(result);
    return result;
}

}  // namespace banner
