// The banner program's view of the generic segment: attaches without ever
// creating or writing the segment, and turns what changes in the banner
// fields and the start-up report into calls on a view.
#pragma once

#include <cstdint>
#include <string>

#include "shm/BaseSharedMemory.h"

namespace banner {

// How a watch ended.
enum class Result { kRunning, kSuccess, kFailure, kProgramGone, kTimedOut };

// Exit codes of skylid-banner.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitNoSegment = 2;
inline constexpr int kExitNoResult = 3;
int ExitCode(Result result);

// The generic segment, opened read-only in spirit: it is only attached to
// (never created) and never written. The banner does not count itself in,
// so it never decides when the segment goes away.
class SegmentReader : public BaseSharedMemory {
  public:
    explicit SegmentReader(const char* name);
    // Waits up to waitMs for the segment to exist with this program's
    // version text; false with a text in the error report otherwise.
    bool AttachWaiting(int waitMs);
    const std::uint8_t* Content() const { return static_cast<const std::uint8_t*>(GetView()); }
};

// What the watch shows; the text and the window forms implement it.
class IBannerView {
  public:
    virtual ~IBannerView() = default;
    virtual void ShowHeading(const char* text) = 0;
    virtual void ShowMessage(const char* text) = 0;
    virtual void ShowProgress(int percent) = 0;
    // count: the number of progress entries posted so far.
    virtual void ShowReport(int count, const char* heading, const char* text) = 0;
    virtual void ShowError(int count, const char* title, const char* consequence,
                           const char* detail) = 0;
    virtual void ShowWarning() = 0;
    virtual void ShowResult(Result result) = 0;
};

// Compares the banner fields with what was shown last and tells the view
// about each change. Call Poll at a steady pace (a few tens of milliseconds).
class BannerWatch {
  public:
    BannerWatch(const std::uint8_t* segment, IBannerView& view);
    // Looks once; returns kRunning until the success or failure byte is set
    // or every other user of the segment has left.
    Result Poll();

  private:
    struct Snapshot {
        char heading[50];
        char message[1024];
        std::int32_t progress;
        bool success, warning, failed;
        std::int32_t progressCount, errorCount;
        std::int32_t attachCount;
    };
    void Take(Snapshot& s) const;
    void ShowEntries(const Snapshot& now);

    const std::uint8_t* m_segment;
    IBannerView& m_view;
    Snapshot m_shown{};
    // A counter goes up before the texts it announces are written, so an
    // entry is shown one poll after its counter changed.
    bool m_reportPending = false;
    bool m_errorPending = false;
    bool m_finishing = false;
};

}  // namespace banner
