#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "shm/GenericLayout.h"
#include "shm/ShmField.h"

namespace {
constexpr std::size_t kSize = 64;
template <typename T>
using F = shm::Field<T, kSize>;
}  // namespace

TEST(ShmField, UnalignedFieldsRoundTripLittleEndian) {
    std::vector<std::uint8_t> seg(kSize, 0);
    constexpr F<double> value{3};
    constexpr F<std::int32_t> count{11};
    constexpr F<std::uint16_t> word{17};
    value.Write(seg.data(), 1234.5);
    count.Write(seg.data(), -2);
    word.Write(seg.data(), 0xBEEF);
    EXPECT_EQ(value.Read(seg.data()), 1234.5);
    EXPECT_EQ(count.Read(seg.data()), -2);
    EXPECT_EQ(seg[11], 0xFE);
    EXPECT_EQ(seg[14], 0xFF);
    EXPECT_EQ(seg[17], 0xEF);
    EXPECT_EQ(seg[18], 0xBE);
}

TEST(ShmField, RunTimeOffsetsOutsideTheSegmentAreRefused) {
    std::vector<std::uint8_t> seg(kSize, 0xAA);
    auto last = F<std::int32_t>::At(kSize - 4);
    auto beyond = F<std::int32_t>::At(kSize - 3);
    EXPECT_TRUE(last.valid());
    EXPECT_FALSE(beyond.valid());
    beyond.Write(seg.data(), 0);
    EXPECT_EQ(seg[kSize - 1], 0xAA);
    EXPECT_EQ(beyond.Read(seg.data()), 0);
    EXPECT_FALSE(F<std::uint8_t>::At(kSize - 1).Plus(1).valid());
    EXPECT_EQ(F<std::uint8_t>::At(2).Plus(8).Offset(), 10u);
}

TEST(ShmText, ReadsBoundedAndWritesCutAndPadded) {
    std::vector<std::uint8_t> seg(kSize, 'x');  // an unterminated host text
    constexpr shm::Text<8, kSize> text{4};
    char out[32];
    text.Read(seg.data(), out, sizeof out);
    EXPECT_STREQ(out, "xxxxxxxx");
    char small[4];
    text.Read(seg.data(), small, sizeof small);
    EXPECT_STREQ(small, "xxx");

    text.Write(seg.data(), "a long heading");
    EXPECT_EQ(std::memcmp(seg.data() + 4, "a long \0", 8), 0);
    EXPECT_EQ(seg[12], 'x') << "nothing beyond the field";
    text.Write(seg.data(), "ab");
    EXPECT_EQ(std::memcmp(seg.data() + 4, "ab\0\0\0\0\0\0", 8), 0);
}

TEST(GenericLayout, FieldsSitAtTheirOffsets) {
    EXPECT_EQ(generic::kFrameCounter.Offset(), 2068u);
    EXPECT_EQ(generic::kBannerMessage.Offset(), 3858u);
    EXPECT_EQ(generic::kStartupProgress.Offset(), 4888u);
    EXPECT_EQ(generic::kAttachCounter.Offset(), 119116u);
}
