// The notification-area icon and its Show / Exit menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

constexpr UINT TrayIconId = 123;
constexpr UINT TrayCallbackMessage = 3345;

extern NOTIFYICONDATAW TrayIconData;

void AddTrayIcon(HINSTANCE instance);
void RemoveTrayIcon();
// Adds the icon again after the shell restarted, which forgets every icon.
bool RestoreTrayIcon(UINT message);
bool ShowTrayMenu(HMENU menu, HWND window);
LRESULT HandleTrayCallback(HWND window, WPARAM wParam, LPARAM lParam);
