// About box, help page and web links: opened from the Help menu, the toolbar and the accelerators.
#include "info/about_box.h"

#include <shellapi.h>

#include <string>

#include "app/language_pair.h"
#include "app/startup.h"
#include "app/win32_text.h"
#include "info/web_links.h"
#include "resources/resource.h"

namespace {

// The longest path GetModuleFileNameW can give, and the help page's suffix after it.
constexpr DWORD LongestModulePath = 32768;
wchar_t HelpPathBuffer[LongestModulePath + 32];

// The template's first static, whose text the product line replaces.
constexpr int ProductLineId = 65535;

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_VERSION_LINE, ToWide(ComposeVersionLine(ProductVersion)).c_str());
        SetWindowTextW(GetDlgItem(dialog, ProductLineId), ToWide(ComposeAboutProductLine(TargetLanguage)).c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_SYSTEM_INFO:
            OpenWithShell(L"msinfo32.exe");
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void ShowAboutBox(HWND owner)
{
    DialogBoxParamW(AppInstance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutBoxProc, 0);
}

const wchar_t* HelpFilePath()
{
    const DWORD length = GetModuleFileNameW(nullptr, HelpPathBuffer, LongestModulePath);
    HelpPathBuffer[length < LongestModulePath ? length : 0] = L'\0';
    wchar_t* backslash = wcsrchr(HelpPathBuffer, L'\\');
    wchar_t* end = backslash ? backslash : HelpPathBuffer;
    const std::wstring suffix = ToWide(HelpFileSuffix);
    suffix.copy(end, suffix.size());
    end[suffix.size()] = L'\0';
    return HelpPathBuffer;
}

void OpenWithShell(const wchar_t* target)
{
    ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenWebLink(std::u16string_view link)
{
    OpenWithShell(ToWide(link).c_str());
}
