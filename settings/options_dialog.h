// The options dialog and what it applies: the tab at start, start with Windows, always on top.
#pragma once

#include <windows.h>

extern bool TopmostFlag;

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void SetAutostart(bool on);
void SetAlwaysOnTop(bool on);

// Start-up's use of the stored options, in the order start-up needs them.
void ApplyAutostartSetting();
void SelectDefaultTab();
void ApplyAlwaysOnTopSetting();
