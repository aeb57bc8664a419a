// The two MCDUs in the demo host.
//
// Both show an INIT page. A line-select key pressed with text in the
// scratch pad moves that text into its line (left keys from the left edge,
// right keys to the right edge, large blue); with "CLR" in the scratch pad
// the line is emptied instead. CLR pressed on an empty scratch pad (the CLR
// request) puts "CLR" into the scratch pad. A page key other than INIT shows
// the message NOT AVAILABLE in amber; CLR pressed on it clears the message;
// INIT shows the page again.
#include <cstring>
#include <string>

#include "host/McduPage.h"
#include "host/demo/Demo.h"

namespace host::demo {

namespace {

const char kInitPage[] =
    "TITLE {white}          INIT\n"
    "LABEL1 {white} CO RTE          FROM/TO\n"
    "LINE1 {amber}[][][][][]     [][]/[][]\n"
    "LABEL2 {white}ALTN/CO RTE\n"
    "LINE2 {amber}----/----------\n"
    "LABEL3 {white}FLT NBR\n"
    "LINE3 {amber}[][][][][][][][]\n"
    "LABEL4 {white}LAT                 LONG\n"
    "LINE4 {white}----.--         -----.--\n"
    "LABEL5 {white}COST INDEX\n"
    "LINE5 {amber}---{white}                WIND>\n"
    "LABEL6 {white}CRZ FL/TEMP        TROPO\n"
    "LINE6 {amber}-----/---{blue}          36090\n";

constexpr std::int32_t kInitKey = 4;
constexpr std::uint8_t kEnteredAttribute = 20 | mcdu::kLargeBit;  // large blue
constexpr int kLeftKeys = 6;
constexpr int kLineKeys = 12;

class McduDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "MCDUs"; }

    void Start(std::uint8_t* view) override {
        std::string error;
        ParseMcduPage(kInitPage, m_init, error);
        for (int side = 0; side < 2; ++side) {
            Side& s = m_sides[side];
            s = Side{};
            s.page = m_init;
            s.blocks = mcdu::BlocksOf(mcdu::kA320, side);
            WriteMcduPage(view, side, s.page);
        }
    }

    void Step(std::uint8_t* view, double) override {
        for (int side = 0; side < 2; ++side)
            StepSide(view, side, m_sides[side]);
    }

  private:
    struct Side {
        McduPage page;
        mcdu::Blocks blocks{};
        std::int32_t lastLineKey = 0;
        std::int32_t lastPageKey = 0;
        std::uint8_t lastRequest = 0;
        std::uint8_t lastLocal = 0;
        bool messageShown = false;
    };

    static void PutMessage(std::uint8_t* view, const Side& s, const char* text,
                           std::int32_t colour) {
        GenField<std::int32_t>::At(s.blocks.page + mcdu::kMessageColour).Write(view, colour);
        shm::TextAt<Gensim_Shm::kSize>(s.blocks.page + mcdu::kMessage, mcdu::kScratchPadSize)
            .Write(view, text);
    }

    void StepSide(std::uint8_t* view, int side, Side& s) {
        const auto lineKey =
            GenField<std::int32_t>::At(s.blocks.key + mcdu::kLineKeyCode).Read(view);
        const auto pageKey =
            GenField<std::int32_t>::At(s.blocks.key + mcdu::kPageKeyCode).Read(view);
        const auto request =
            GenField<std::uint8_t>::At(s.blocks.key + mcdu::kClrRequest).Read(view);
        const auto local = GenField<std::uint8_t>::At(s.blocks.key + mcdu::kClrLocal).Read(view);

        if (lineKey >= 1 && lineKey <= kLineKeys && s.lastLineKey == 0) {
            char pad[mcdu::kScratchPadSize + 1];
            shm::TextAt<Gensim_Shm::kSize>(s.blocks.key + mcdu::kScratchPad, mcdu::kScratchPadSize)
                .Read(view, pad, sizeof pad);
            if (pad[0] != '\0') {
                const bool left = lineKey <= kLeftKeys;
                const int line = left ? lineKey : lineKey - kLeftKeys;
                std::string text = pad;
                if (text == "CLR")
                    text.clear();
                // The half of the line the key is on is replaced.
                const int half = mcdu::kColumns / 2;
                PutMcduText(s.page, line, left ? 0 : half, std::string(half, ' '), 0);
                const int column = left ? 0 : mcdu::kColumns - static_cast<int>(text.size());
                PutMcduText(s.page, line, column, text, kEnteredAttribute);
                WriteMcduPage(view, side, s.page);
            }
        }
        if (pageKey != 0 && s.lastPageKey == 0) {
            if (pageKey == kInitKey) {
                s.page = m_init;
                WriteMcduPage(view, side, s.page);
            } else {
                PutMessage(view, s, "NOT AVAILABLE", 1);
                s.messageShown = true;
            }
        }
        if (request != 0 && s.lastRequest == 0)
            PutMessage(view, s, "CLR", 0);
        if (local != 0 && s.lastLocal == 0 && s.messageShown) {
            PutMessage(view, s, "@", 0);  // CLR on the message clears it
            s.messageShown = false;
        }
        s.lastLineKey = lineKey;
        s.lastPageKey = pageKey;
        s.lastRequest = request;
        s.lastLocal = local;
    }

    McduPage m_init;
    Side m_sides[2];
};

}  // namespace

std::unique_ptr<PanelDemo> MakeMcduDemo() {
    return std::make_unique<McduDemo>();
}

}  // namespace host::demo
