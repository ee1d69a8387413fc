// Options dialog, the autostart value in the registry and the topmost state of the main window.
#include "settings/options_dialog.h"

#include <commctrl.h>

#include <string>

#include "app/language_pair.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/win32_text.h"
#include "resources/resource.h"
#include "settings/settings_file.h"

bool TopmostFlag;

namespace {

const wchar_t CurrentVersionKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::wstring AutostartValueName()
{
    return ToWide(SourceLanguage + TargetLanguage + u"Dictionary");
}

// Sets the value in the Run key under `root`; false when a key cannot be opened or the value written.
bool WriteRunValue(HKEY root, const std::wstring& name, const std::wstring& data)
{
    HKEY currentVersion = nullptr;
    if (RegCreateKeyW(root, CurrentVersionKey, &currentVersion) != ERROR_SUCCESS)
        return false;
    HKEY run = nullptr;
    bool written = false;
    if (RegCreateKeyW(currentVersion, L"Run", &run) == ERROR_SUCCESS) {
        written = RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(run);
    }
    RegCloseKey(currentVersion);
    return written;
}

// The user's own Run key serves when the machine's cannot be written; an entry left there must not
// start a second copy, so it is emptied whenever it is not the one in use.
void EmptyUserRunValue(const std::wstring& name)
{
    HKEY run = nullptr;
    const std::wstring runKey = std::wstring(CurrentVersionKey) + L"\\Run";
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &run) != ERROR_SUCCESS)
        return;
    if (RegQueryValueExW(run, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
    RegCloseKey(run);
}

void FillOptions(HWND dialog)
{
    const HWND list = GetDlgItem(dialog, IDC_DIRECTION_LIST);
    for (const std::u16string& label : {ComposeDirectionLabel(SourceLanguage, TargetLanguage),
                                        ComposeDirectionLabel(TargetLanguage, SourceLanguage)})
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(label).c_str()));
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    const auto stored = SettingsMap.find(std::u16string(DefaultLanguageIdKey));
    // An index that names no entry clears the selection, so the list shows none; asked for with -1,
    // since not every combo box clears it for an index past its end.
    if (stored != SettingsMap.end()) {
        const int index = ReadSettingInteger(stored->second);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(IsDirection(index) ? index : -1), 0);
    }
    if (SettingIsTrue(LoadOnStartKey))
        CheckDlgButton(dialog, IDC_LOAD_ON_START, BST_CHECKED);
    if (SettingIsTrue(AlwaysOnTopKey))
        CheckDlgButton(dialog, IDC_ALWAYS_ON_TOP, BST_CHECKED);
}

void SaveOptions(HWND dialog)
{
    const int direction = static_cast<int>(SendDlgItemMessageW(dialog, IDC_DIRECTION_LIST, CB_GETCURSEL, 0, 0));
    const bool loadOnStart = IsDlgButtonChecked(dialog, IDC_LOAD_ON_START) != BST_UNCHECKED;
    const bool alwaysOnTop = IsDlgButtonChecked(dialog, IDC_ALWAYS_ON_TOP) != BST_UNCHECKED;
    SetAutostart(loadOnStart);
    // No entry selected names no tab: the current one stays.
    if (IsDirection(direction)) {
        SelectTab(direction);
        ShowActivePanel();
    }
    SetAlwaysOnTop(alwaysOnTop);
    SettingsMap[std::u16string(LoadOnStartKey)] = loadOnStart ? u"true" : u"false";
    SettingsMap[std::u16string(AlwaysOnTopKey)] = alwaysOnTop ? u"true" : u"false";
    SettingsMap[std::u16string(DefaultLanguageIdKey)] = IntToWide(direction);
    SaveSettings();
    LoadSettings();
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillOptions(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SAVE_OPTIONS:
            SaveOptions(dialog);
            EndDialog(dialog, IDC_SAVE_OPTIONS);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void SetAutostart(bool on)
{
    const std::wstring name = AutostartValueName();
    const std::wstring modulePath = ModuleFilePath();
    const std::wstring data = on ? modulePath : std::wstring();
    if (on && modulePath.empty())
        return;
    if (WriteRunValue(HKEY_LOCAL_MACHINE, name, data)) {
        EmptyUserRunValue(name);
        return;
    }
    // Without administrative rights the machine's key is closed; the user's own starts the program as well.
    if (on)
        WriteRunValue(HKEY_CURRENT_USER, name, data);
    else
        EmptyUserRunValue(name);
}

void SetAlwaysOnTop(bool on)
{
    SetWindowPos(MainWindow, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    TopmostFlag = on;
    CheckMenuItem(GetMenu(MainWindow), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void ApplyAutostartSetting()
{
    if (SettingIsTrue(LoadOnStartKey))
        SetAutostart(true);
}

void SelectDefaultTab()
{
    SelectTab(0);
    const auto stored = SettingsMap.find(std::u16string(DefaultLanguageIdKey));
    if (stored == SettingsMap.end())
        return;
    // Only 0 and 1 name a tab; anything else keeps the first one rather than leaving none selected.
    const int direction = ReadSettingInteger(stored->second);
    if (IsDirection(direction))
        SelectTab(direction);
}

void ApplyAlwaysOnTopSetting()
{
    if (SettingIsTrue(AlwaysOnTopKey))
        SetAlwaysOnTop(true);
}
