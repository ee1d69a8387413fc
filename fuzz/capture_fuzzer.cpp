// Fuzz target: trimming captured text and the pending-capture time limit, against plain references.
#include <algorithm>
#include <memory>
#include <string>

#include "desktop/capture_text.h"
#include "fuzz/fuzz_check.h"

namespace {

std::u16string_view ReferenceTrim(std::u16string_view text)
{
    size_t first = 0;
    size_t end = text.size();
    while (first < end && text[first] == u' ')
        ++first;
    while (end > first && text[end - 1] == u' ')
        --end;
    return text.substr(first, end - first);
}

void CheckTrim(std::u16string_view text)
{
    const std::u16string_view seen = TrimBlanks(text);
    const std::u16string_view expected = ReferenceTrim(text);
    CheckSameUnits(seen, expected, "TrimBlanks differs from trimming U+0020 at both ends");
    // The result is a view into the capture, not a copy.
    CheckThat(seen.empty() || seen.data() == expected.data(), "TrimBlanks does not point into the text");
}

void CheckPending(uint64_t hotkeyTick, uint64_t nowTick)
{
    // A deadline past the largest tick holds every later tick.
    const bool deadlineWraps = hotkeyTick > UINT64_MAX - CaptureTimeoutMilliseconds;
    const bool expected =
        hotkeyTick <= nowTick && (deadlineWraps || nowTick <= hotkeyTick + CaptureTimeoutMilliseconds);
    CheckThat(CaptureStillPending(hotkeyTick, nowTick) == expected,
              "CaptureStillPending differs from 'now within the timeout after the hotkey'");
}

uint64_t ReadTick(const uint8_t* bytes)
{
    uint64_t tick = 0;
    for (int i = 7; i >= 0; --i)
        tick = tick << 8 | bytes[i];
    return tick;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UnitReader reader(data, size);
    const std::u16string units = reader.TakeUnits(reader.UnitsLeft());
    // An exactly sized copy, so that a read past either end is reported.
    const std::unique_ptr<char16_t[]> block(new char16_t[units.size()]);
    std::copy(units.begin(), units.end(), block.get());
    CheckTrim(std::u16string_view(block.get(), units.size()));
    if (size >= 16) {
        const uint64_t hotkey = ReadTick(data);
        const uint64_t now = ReadTick(data + 8);
        CheckPending(hotkey, now);
        // Near the hotkey, where the limit lies.
        CheckPending(hotkey, hotkey + (now % 8192) - 4096);
    }
    return 0;
}
