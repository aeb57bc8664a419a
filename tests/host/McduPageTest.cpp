// The page text format of `mcdu-page` and the MCDU demo.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/McduPage.h"
#include "host/demo/Demo.h"
#include "shm/SimSegment.h"

namespace {

// The A320 page and key blocks of MCDU 0 and 1.
constexpr std::uint32_t kPage[2] = {126736, 126736 + 700};
constexpr std::uint32_t kKey[2] = {130824, 130824 + 88};

TEST(McduPageText, RunsColoursSizesAndSpecialLines) {
    host::McduPage page;
    std::string error;
    ASSERT_TRUE(
        host::ParseMcduPage("# comment\n\nTITLE {white}AB\n"
                            "LINE2 {amber small}X {{{green large}Y\r\n"
                            "LABEL6 Z\nMESSAGE cyan HELLO\nSCROLL\n",
                            page, error))
        << error;
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    host::WriteMcduPage(segment.data(), 1, page);
    const std::uint8_t* p = segment.data() + kPage[1];
    EXPECT_EQ(p[8], 'A');
    EXPECT_EQ(p[9], 16 | 2);  // white, large
    // Data line 2 at 58 + 50: "X" amber small, a blank (empty), "{" and "Y".
    EXPECT_EQ(p[108], 'X');
    EXPECT_EQ(p[109], 24);
    EXPECT_EQ(p[111], 0);
    EXPECT_EQ(p[112], '{');
    EXPECT_EQ(p[114], 'Y');
    EXPECT_EQ(p[115], 4 | 2);
    // Label line 6 at 392 + 250.
    EXPECT_EQ(p[642], 'Z');
    EXPECT_EQ(p[360], 1);  // scroll mark
    EXPECT_EQ(p[361], 1);  // valid
    EXPECT_STREQ(reinterpret_cast<const char*>(p + 363), "HELLO");
    EXPECT_EQ(p[388], 3);
    EXPECT_EQ(segment[kPage[0] + 361], 0) << "the other MCDU is untouched";

    for (const char* bad : {"LINE7 x\n", "LINE1 {purple}x\n", "LINE1 {white\n",
                            "LINE1 0123456789012345678901234\n", "MESSAGE pink x\n"}) {
        EXPECT_FALSE(host::ParseMcduPage(bad, page, error)) << bad;
        EXPECT_EQ(error.rfind("line 1: ", 0), 0u) << error;
    }
}

TEST(McduDemo, InitPageEchoAndClr) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    std::uint8_t* view = segment.data();
    auto demo = host::demo::MakeMcduDemo();
    demo->Start(view);
    demo->Step(view, 0.0);
    for (int side = 0; side < 2; ++side) {
        EXPECT_EQ(segment[kPage[side] + 361], 1);
        std::string title;
        for (int j = 0; j < 24; ++j)
            title += static_cast<char>(segment[kPage[side] + 8 + 2 * j]);
        EXPECT_NE(title.find("INIT"), std::string::npos);
    }

    // Right line-select key 1 (code 7) with "KJFK/EGLL" in the scratch pad.
    std::memcpy(view + kKey[0] + 12, "KJFK/EGLL", 10);
    std::int32_t code = 7;
    std::memcpy(view + kKey[0] + 4, &code, 4);
    demo->Step(view, 0.05);
    std::string line;
    for (int j = 15; j < 24; ++j)
        line += static_cast<char>(segment[kPage[0] + 58 + 2 * j]);
    EXPECT_EQ(line, "KJFK/EGLL");
    EXPECT_EQ(segment[kPage[0] + 58 + 2 * 23 + 1], 20 | 2);

    // CLR on an empty scratch pad: "CLR" in the message.
    segment[kKey[1] + 1] = 1;
    demo->Step(view, 0.1);
    EXPECT_STREQ(reinterpret_cast<const char*>(view + kPage[1] + 363), "CLR");

    // A page key other than INIT: the message, cleared by a CLR used locally.
    code = 1;
    std::memcpy(view + kKey[0] + 8, &code, 4);
    demo->Step(view, 0.15);
    EXPECT_STREQ(reinterpret_cast<const char*>(view + kPage[0] + 363), "NOT AVAILABLE");
    segment[kKey[0] + 0] = 1;
    demo->Step(view, 0.2);
    EXPECT_STREQ(reinterpret_cast<const char*>(view + kPage[0] + 363), "@");
}

}  // namespace
