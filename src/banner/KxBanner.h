// KxBanner: the main dialog's proxy for the start-up banner.
//
// The banner program is a separate process that shows the heading, message,
// progress and result fields of the generic segment; this proxy writes them
// and starts the program. Nothing here waits for the banner, and a banner that
// cannot be started does not stop the start-up. Every operation does nothing
// when there is no segment.
#pragma once

#include <cstdint>
#include <string>

#include "log/Kx_ErrorReport.h"

class KxBanner : public Kx_ErrorReport {
  public:
    // segmentName: the generic segment's name when it is not the usual one;
    // the banner program is then told which segment to show.
    explicit KxBanner(std::uint8_t* genericSegment, const char* segmentName = nullptr);

    // Flushes every open output stream, then starts the banner program
    // detached, without waiting. False (with a text here) when it could not
    // be started; the caller carries on either way.
    bool Start();

    void SetHeading(const char* text);
    void SetMessage(const char* text);
    void SetProgress(int percent);
    void AddProgress(int percent);
    void SetSuccess();
    void SetWarning();
    void SetFailure();

    // The command line that starts the banner program (the BannerProgram
    // option); an empty command restores the default: skylid-banner in this
    // program's own folder.
    static void SetProgramCommand(const std::string& command);
    static std::string GetProgramCommand();
    static std::string DefaultProgramCommand();
    // The full command line Start uses (with the segment name when needed).
    std::string StartCommand() const;

  private:
    std::uint8_t* m_segment;
    std::string m_segmentName;

    static std::string s_command;
};
