// The main window's procedure, its tab control and the two direction panels.
#pragma once

#include <windows.h>

extern HWND TabControl;
extern HWND Toolbar;
extern HMODULE RichEditModule;

// The four controls of each direction panel, indexed by direction (0: from English, 1: to English).
extern HWND SearchBoxes[2];
extern HWND PronounceButtons[2];
extern HWND WordLists[2];
extern HWND ArticleViews[2];
extern int ShownPanelIndex;

// The selected tab, which is the active direction; -1 when the tab control has none.
int ActiveDirection();
// Selects a tab without the change notification a click would send.
void SelectTab(int index);
bool IsDirection(int index);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void LayoutPanels();
void ShowActivePanel();
