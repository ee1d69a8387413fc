// Captured text: blank trimming and the pending-capture time limit.
#include "desktop/capture_text.h"

std::u16string_view TrimBlanks(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

bool CaptureStillPending(uint64_t hotkeyTick, uint64_t nowTick)
{
    return nowTick >= hotkeyTick && nowTick - hotkeyTick <= CaptureTimeoutMilliseconds;
}
