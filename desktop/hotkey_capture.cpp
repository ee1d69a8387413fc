// Capture: Ctrl+Insert makes the focused application copy its selection; the clipboard change brings it here.
#include "desktop/hotkey_capture.h"

#include <cwchar>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/win32_text.h"
#include "desktop/capture_text.h"
#include "dictionary/word_search.h"

bool CapturePending;
HWND NextClipboardViewer;
std::optional<std::wstring> CapturedText;

namespace {

constexpr BYTE ControlScanCode = 157;
constexpr BYTE LetterScanCode = 158;

uint64_t CaptureHotkeyTick;

// The clipboard's Unicode text, read while it is open; nothing is kept that points into it.
std::optional<std::wstring> ReadClipboardText()
{
    if (!OpenClipboard(MainWindow))
        return std::nullopt;
    std::optional<std::wstring> text;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* units = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (units) {
        // Another program's block need not hold a terminator; never read past its end.
        const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
        try {
            text.emplace(units, wcsnlen(units, capacity));
        } catch (...) {
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Windows lets a program take the foreground only in some situations; when it refuses, joining the
// input of the window in front lends this thread that right for the moment of the call.
void BringMainWindowToFront()
{
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    if (SetForegroundWindow(MainWindow))
        return;
    const HWND front = GetForegroundWindow();
    const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const DWORD ownThread = GetCurrentThreadId();
    if (frontThread && frontThread != ownThread && AttachThreadInput(ownThread, frontThread, TRUE)) {
        SetForegroundWindow(MainWindow);
        BringWindowToTop(MainWindow);
        AttachThreadInput(ownThread, frontThread, FALSE);
    }
}

}  // namespace

void SendCtrlChord(wchar_t letter)
{
    const BYTE key = LOBYTE(VkKeyScanW(letter));
    keybd_event(VK_CONTROL, ControlScanCode, 0, 0);
    keybd_event(key, LetterScanCode, 0, 0);
    keybd_event(key, LetterScanCode, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, ControlScanCode, KEYEVENTF_KEYUP, 0);
}

void RegisterCaptureHotkey()
{
    RegisterHotKey(MainWindow, CaptureHotkeyId, MOD_CONTROL, VK_INSERT);
}

void UnregisterCaptureHotkey()
{
    UnregisterHotKey(MainWindow, CaptureHotkeyId);
}

void JoinClipboardViewerChain()
{
    NextClipboardViewer = SetClipboardViewer(MainWindow);
}

void LeaveClipboardViewerChain()
{
    ChangeClipboardChain(MainWindow, NextClipboardViewer);
}

LRESULT HandleCaptureHotkey(WPARAM hotkeyId)
{
    if (hotkeyId != CaptureHotkeyId)
        return 0;
    CapturePending = true;
    CaptureHotkeyTick = GetTickCount64();
    SendCtrlChord(L'C');
    return 0;
}

LRESULT HandleClipboardChange(WPARAM wParam, LPARAM lParam)
{
    if (IsWindow(NextClipboardViewer))
        PostMessageW(NextClipboardViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    if (!CapturePending)
        return 0;
    CapturePending = false;
    if (!CaptureStillPending(CaptureHotkeyTick, GetTickCount64()))
        return 0;
    CapturedText = ReadClipboardText();
    BringMainWindowToFront();
    LookupCapturedText();
    return 0;
}

LRESULT HandleClipboardChainChange(WPARAM leaving, LPARAM next)
{
    // The chain is a list that each viewer keeps a link of; a leaving neighbour must be skipped.
    if (reinterpret_cast<HWND>(leaving) == NextClipboardViewer)
        NextClipboardViewer = reinterpret_cast<HWND>(next);
    else if (NextClipboardViewer)
        SendMessageW(NextClipboardViewer, WM_CHANGECBCHAIN, leaving, next);
    return 0;
}

void LookupCapturedText()
{
    const int direction = ActiveDirection();
    if (!IsDirection(direction) || !CapturedText)
        return;
    try {
        const std::wstring trimmed = ToWide(TrimBlanks(ToU16(*CapturedText)));
        SendMessageW(SearchBoxes[direction], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(trimmed.c_str()));
        RefreshWordList();
        ShowArticle();
    } catch (...) {
    }
}
