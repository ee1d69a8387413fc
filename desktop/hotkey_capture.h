// Ctrl+Insert capture: the global hotkey, the clipboard viewer chain, synthetic Ctrl+letter keystrokes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

constexpr int CaptureHotkeyId = 1;

extern bool CapturePending;
extern HWND NextClipboardViewer;
extern std::optional<std::wstring> CapturedText;

// Ctrl+letter as four keyboard events, to whichever window has the keyboard focus.
void SendCtrlChord(wchar_t letter);

void RegisterCaptureHotkey();
void UnregisterCaptureHotkey();
void JoinClipboardViewerChain();
void LeaveClipboardViewerChain();

LRESULT HandleCaptureHotkey(WPARAM hotkeyId);
LRESULT HandleClipboardChange(WPARAM wParam, LPARAM lParam);
LRESULT HandleClipboardChainChange(WPARAM leaving, LPARAM next);
void LookupCapturedText();
