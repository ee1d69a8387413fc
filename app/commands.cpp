// Toolbar buttons and the WM_COMMAND dispatch of the main window.
#include "app/commands.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "app/startup.h"
#include "desktop/hotkey_capture.h"
#include "dictionary/word_search.h"
#include "info/about_box.h"
#include "info/web_links.h"
#include "resources/resource.h"
#include "settings/options_dialog.h"

namespace {

// For the two separators the image field is their width in pixels.
const TBBUTTON ToolbarButtons[] = {
    {0, IDT_NEW_ARTICLE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {1, IDT_ADD_LANGUAGE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {2, IDT_SAVE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {3, IDT_PRINT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {4, 14, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
    {4, IDT_CUT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {5, IDT_COPY, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {6, IDT_PASTE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {7, IDT_HELP, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
    {7, IDT_HELP, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
};

const UINT UnusedFileItems[] = {IDM_NEW, IDM_OPEN, IDM_PRINT, IDM_PRINT_PREVIEW};

// The notification codes of a search box edit (CBN_EDITCHANGE) and selection (CBN_SELCHANGE);
// every accelerator command carries 1 as well.
bool RefreshesSearch(WORD notificationCode)
{
    return notificationCode == CBN_SELCHANGE || notificationCode == CBN_EDITCHANGE;
}

void ChangeLocale()
{
    const int selected = ActiveDirection();
    if (IsDirection(selected))
        SelectTab(1 - selected);
    // Selecting a tab by message sends no TCN_SELCHANGE.
    ShowActivePanel();
}

void ShowMainWindow()
{
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow);
}

}  // namespace

void CreateToolbar(HWND window)
{
    Toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 500, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), AppInstance, nullptr);
    SendMessageW(Toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const HIMAGELIST images = ImageList_LoadImageW(AppInstance, MAKEINTRESOURCEW(IDB_TOOLBAR), 16, 0, CLR_NONE,
                                                   IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SendMessageW(Toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(Toolbar, TB_ADDBUTTONSW, std::size(ToolbarButtons), reinterpret_cast<LPARAM>(ToolbarButtons));
}

void GrayUnusedFileItems()
{
    const HMENU menu = GetMenu(MainWindow);
    for (UINT item : UnusedFileItems)
        EnableMenuItem(menu, item, MF_BYCOMMAND | MF_GRAYED);
}

LRESULT DispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (RefreshesSearch(HIWORD(wParam))) {
        RefreshWordList();
        ShowArticle();
    }
    switch (LOWORD(wParam)) {
    case IDM_EXIT:
    case IDM_TRAY_EXIT:
        DestroyWindow(window);
        return 0;
    case IDM_TRAY_SHOW:
        ShowMainWindow();
        return 0;
    case IDM_CHANGE_LOCALE:
        ChangeLocale();
        return 0;
    case IDM_ABOUT_KEY:
    case IDM_ABOUT:
        ShowAboutBox(window);
        return 0;
    case IDM_HELP_SEARCH:
    case IDM_HELP_CONTENTS:
    case IDT_HELP:
        OpenWithShell(HelpFilePath());
        return 0;
    case IDM_CHECK_UPDATES:
        OpenWebLink(WebLinks.DownloadUrl);
        return 0;
    case IDM_TECHNICAL_SUPPORT:
        OpenWebLink(WebLinks.ContactUrl);
        return 0;
    case IDM_ALWAYS_ON_TOP:
        SetAlwaysOnTop(!TopmostFlag);
        return 0;
    case IDM_OPTIONS:
        DialogBoxParamW(AppInstance, MAKEINTRESOURCEW(IDD_OPTIONS), MainWindow, OptionsDialogProc, 0);
        return 0;
    case IDM_CUT:
    case IDT_CUT:
        SendCtrlChord(L'X');
        return 0;
    case IDM_COPY:
    case IDT_COPY:
        SendCtrlChord(L'C');
        return 0;
    case IDM_PASTE:
    case IDT_PASTE:
        SendCtrlChord(L'V');
        return 0;
    // Pronunciation, new articles, more languages and printing are not part of this program yet.
    case IDT_SAVE:
    case IDT_NEW_ARTICLE:
    case IDT_ADD_LANGUAGE:
    case IDT_PRINT:
    case IDC_PRONOUNCE:
    case IDC_PRONOUNCE + 1:
        return 0;
    default:
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
}
