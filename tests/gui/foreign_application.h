// Another application for the capture tests: a window with a text field on a thread of its own, X keys and the clipboard.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>
#include <thread>

enum class ClipboardChain { Stay, Join };

class ForeignApplication {
public:
    explicit ForeignApplication(ClipboardChain chain = ClipboardChain::Stay);
    ~ForeignApplication();
    ForeignApplication(const ForeignApplication&) = delete;
    ForeignApplication& operator=(const ForeignApplication&) = delete;

    // Puts `text` into the field with [selectionStart, selectionEnd) selected and gives the window the keyboard.
    void ShowSelection(std::wstring_view text, int selectionStart, int selectionEnd);
    // How often the clipboard viewer chain told this window of a change.
    int ClipboardChanges() const { return clipboardChanges_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run(ClipboardChain chain);

    std::thread thread_;
    HANDLE ready_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    HWND nextViewer_ = nullptr;
    bool inChain_ = false;
    std::atomic<int> clipboardChanges_{0};
};

// Runs a Linux program, such as xdotool, from inside Wine; gives its exit code.
DWORD RunUnixCommand(std::wstring commandLine);
// A key chord pressed through the X server, as a user presses it ("ctrl+Insert").
void PressKeysThroughX(std::wstring_view chord);
enum class MouseButton { Left = 1, Right = 3 };
// Real mouse clicks through the X server at a point of the screen; 2 clicks make a double click.
void ClickThroughX(POINT screenPoint, MouseButton button = MouseButton::Left, int clicks = 1);
// The X window behind a Wine window, for X tools.
unsigned long XWindowOf(HWND window);

void PutTextOnClipboard(std::wstring_view text);
std::wstring ClipboardText();
