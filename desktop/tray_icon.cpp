// Notification-area icon: added once the main window is ready, right click opens Show / Exit, removed at the end.
#include "desktop/tray_icon.h"

#include <cstddef>

#include "app/startup.h"
#include "resources/resource.h"

NOTIFYICONDATAW TrayIconData;

namespace {

// The record as far as guidItem, without hBalloonIcon: what the shell expects of this version.
constexpr DWORD TrayIconRecordSize = offsetof(NOTIFYICONDATAW, guidItem) + sizeof(GUID);
#ifndef _WIN64
static_assert(TrayIconRecordSize == 952, "the 32-bit notification icon record");
#endif

const UINT TaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

}  // namespace

void AddTrayIcon(HINSTANCE instance)
{
    ZeroMemory(&TrayIconData, sizeof TrayIconData);
    TrayIconData.cbSize = TrayIconRecordSize;
    TrayIconData.hWnd = MainWindow;
    TrayIconData.uID = TrayIconId;
    TrayIconData.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TRAY_ICON));
    TrayIconData.uCallbackMessage = TrayCallbackMessage;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON;
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
}

bool RestoreTrayIcon(UINT message)
{
    if (message != TaskbarCreatedMessage || !TaskbarCreatedMessage)
        return false;
    if (TrayIconData.hWnd)
        Shell_NotifyIconW(NIM_ADD, &TrayIconData);
    return true;
}

bool ShowTrayMenu(HMENU menu, HWND window)
{
    const HMENU popup = GetSubMenu(menu, 0);
    if (!popup) {
        DestroyMenu(menu);
        return false;
    }
    SetForegroundWindow(window);
    POINT cursor = {};
    GetCursorPos(&cursor);
    const BOOL tracked = TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
    // Without a message after it, a popup opened from the notification area may not close on the next click.
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return tracked != FALSE;
}

LRESULT HandleTrayCallback(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (window == MainWindow && wParam == TrayIconId && lParam == WM_RBUTTONUP) {
        const HMENU menu = LoadMenuW(AppInstance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
        if (menu)
            ShowTrayMenu(menu, window);
    }
    return DefWindowProcW(window, TrayCallbackMessage, wParam, lParam);
}
