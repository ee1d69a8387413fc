// Another application's window for the capture tests, and the X server and clipboard as a user reaches them.
#include "foreign_application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>

#include "program_driver.h"

ForeignApplication::ForeignApplication(ClipboardChain chain) : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    thread_ = std::thread([this, chain] { Run(chain); });
    WaitForSingleObject(ready_, 10000);
}

ForeignApplication::~ForeignApplication()
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void ForeignApplication::Run(ClipboardChain chain)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ForeignApplication";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"ForeignApplication", L"Another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500,
                              400, 400, 200, nullptr, nullptr, windowClass.hInstance, this);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER, 10, 10,
                            360, 120, window_, nullptr, windowClass.hInstance, nullptr);
    if (chain == ClipboardChain::Join) {
        nextViewer_ = SetClipboardViewer(window_);
        inChain_ = true;
    }
    SetEvent(ready_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK ForeignApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ForeignApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && window == self->window_ && self->edit_)
            SetFocus(self->edit_);
        return 0;
    case WM_APP:
        // Focus belongs to a thread: only the window's own thread can give it to the field.
        SetForegroundWindow(self->window_);
        SetFocus(self->edit_);
        return 0;
    case WM_DRAWCLIPBOARD:
        ++self->clipboardChanges_;
        if (self->nextViewer_)
            SendMessageW(self->nextViewer_, message, wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == self->nextViewer_)
            self->nextViewer_ = reinterpret_cast<HWND>(lParam);
        else if (self->nextViewer_)
            SendMessageW(self->nextViewer_, message, wParam, lParam);
        return 0;
    case WM_CLOSE:
        if (self->inChain_)
            ChangeClipboardChain(window, self->nextViewer_);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void ForeignApplication::ShowSelection(std::wstring_view text, int selectionStart, int selectionEnd)
{
    const std::wstring copy(text);
    SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    SendMessageW(edit_, EM_SETSEL, selectionStart, selectionEnd);
    // The X focus decides which program the X server sends keys to; Wine then hands them to its
    // foreground window. Without a window manager neither follows the other, so both are set.
    RunUnixCommand(L"/usr/bin/xdotool windowfocus --sync " + std::to_wstring(XWindowOf(window_)));
    SendMessageW(window_, WM_APP, 0, 0);
    // The application takes the X focus event in its own time.
    ASSERT_TRUE(WaitUntil([this] { return GetForegroundWindow() == window_; }, 5s))
        << "the other application did not get the keyboard";
}

DWORD RunUnixCommand(std::wstring commandLine)
{
    // Wine starts a Linux program without giving back a process handle, so the shell around it
    // leaves the exit code in a file that is polled for.
    static int runs = 0;
    const std::wstring marker =
        L"/tmp/wordmere-gui-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs);
    std::wstring shell = L"/bin/sh -c \"" + commandLine + L"; echo $? >" + marker + L".part && mv " + marker + L".part " +
                         marker + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, shell.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "could not run a Linux program, error " << GetLastError();
        return static_cast<DWORD>(-1);
    }
    const std::wstring windowsMarker = L"Z:" + marker;
    DWORD code = static_cast<DWORD>(-1);
    if (!WaitUntil([&] { return GetFileAttributesW(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20s)) {
        ADD_FAILURE() << "a Linux program did not finish";
        return code;
    }
    if (FILE* file = _wfopen(windowsMarker.c_str(), L"r")) {
        if (fscanf(file, "%lu", &code) != 1)
            code = static_cast<DWORD>(-1);
        fclose(file);
    }
    DeleteFileW(windowsMarker.c_str());
    return code;
}

void PressKeysThroughX(std::wstring_view chord)
{
    EXPECT_EQ(RunUnixCommand(L"/usr/bin/xdotool key " + std::wstring(chord)), 0u) << "xdotool failed";
}

void ClickThroughX(POINT screenPoint, MouseButton button, int clicks)
{
    // No --sync on the move: it would wait forever when the pointer is there already.
    EXPECT_EQ(RunUnixCommand(L"/usr/bin/xdotool mousemove " + std::to_wstring(screenPoint.x) + L" " +
                             std::to_wstring(screenPoint.y) + L" sleep 0.1 click --repeat " + std::to_wstring(clicks) +
                             L" --delay 80 " + std::to_wstring(static_cast<int>(button))),
              0u)
        << "xdotool failed";
}

unsigned long XWindowOf(HWND window)
{
    return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window")));
}

void PutTextOnClipboard(std::wstring_view text)
{
    ASSERT_TRUE(OpenClipboard(nullptr)) << "the clipboard is busy";
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(block));
    text.copy(units, text.size());
    units[text.size()] = L'\0';
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
