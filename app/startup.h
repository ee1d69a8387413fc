// Entry point, language discovery, main window creation and the message loop.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

// Capacity of the module path buffer, in wide characters with the terminator.
constexpr size_t ModulePathCapacity = 520;

// The executable's full path; empty when it cannot be read whole.
std::wstring ModuleFilePath();
// The executable's folder followed by `suffix`; empty when the path is unknown or too long.
std::wstring PathBesideModule(std::u16string_view suffix);

void DiscoverLanguagePair();
void RegisterMainWindowClass(HINSTANCE instance);
bool InitializeMainWindow(HINSTANCE instance, int showCommand);
