// The toolbar and the main window's command dispatch.
#pragma once

#include <windows.h>

void CreateToolbar(HWND window);
void GrayUnusedFileItems();
LRESULT DispatchCommand(HWND window, WPARAM wParam, LPARAM lParam);
