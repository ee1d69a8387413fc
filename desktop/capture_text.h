// Captured text: trimming and the time a capture may stay pending; no window code here.
#pragma once

#include <cstdint>
#include <string_view>

// A clipboard change this long after the hotkey is somebody's later copy, not the capture.
constexpr uint64_t CaptureTimeoutMilliseconds = 3000;

// The text without the U+0020 blanks at either end; other white space stays part of the lookup.
std::u16string_view TrimBlanks(std::u16string_view text);

bool CaptureStillPending(uint64_t hotkeyTick, uint64_t nowTick);
