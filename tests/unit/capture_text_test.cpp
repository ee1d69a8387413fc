// Trimming of captured text and the time a capture stays pending.
#include "desktop/capture_text.h"

#include <gtest/gtest.h>

namespace {

TEST(CaptureText, OnlyBlanksAreTrimmedFromBothEnds)
{
    const struct {
        std::u16string_view captured;
        std::u16string_view trimmed;
    } cases[] = {
        {u"  house  ", u"house"},
        {u"house", u"house"},
        {u"house\r\n", u"house\r\n"},
        {u" \thouse\t ", u"\thouse\t"},
        {u"   ", u""},
        {u"", u""},
        {u" ice cream ", u"ice cream"},
        {u"\u00A0house\u00A0", u"\u00A0house\u00A0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimBlanks(c.captured), c.trimmed) << "captured \"" << testing::PrintToString(std::u16string(c.captured)) << "\"";
}

TEST(CaptureText, ACaptureIsPendingForThreeSeconds)
{
    const struct {
        uint64_t hotkey;
        uint64_t now;
        bool pending;
    } cases[] = {
        {1000, 1000, true}, {1000, 3999, true}, {1000, 4000, true}, {1000, 4001, false},
        {1000, 3'600'000, false}, {5000, 4000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptureStillPending(c.hotkey, c.now), c.pending) << c.hotkey << " then " << c.now;
}

}  // namespace
