// The About box, the help page and the vendor web links.
#pragma once

#include <windows.h>

#include <string_view>

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowAboutBox(HWND owner);
// The help page beside the executable, in a buffer rewritten at every call.
const wchar_t* HelpFilePath();
// Hands a file or address to the shell's "open", so the user's own program shows it.
void OpenWithShell(const wchar_t* target);
void OpenWebLink(std::u16string_view link);
