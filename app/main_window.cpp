// Main window: builds the tab control and both direction panels, lays them out, switches them and tears down.
#include "app/main_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "app/commands.h"
#include "app/language_pair.h"
#include "app/startup.h"
#include "app/win32_text.h"
#include "desktop/hotkey_capture.h"
#include "desktop/tray_icon.h"
#include "dictionary/article_files.h"
#include "dictionary/article_text.h"
#include "dictionary/word_search.h"
#include "info/usage_notifications.h"
#include "resources/resource.h"

HWND TabControl;
HWND Toolbar;
HMODULE RichEditModule;
HWND SearchBoxes[2];
HWND PronounceButtons[2];
HWND WordLists[2];
HWND ArticleViews[2];
int ShownPanelIndex;

int ActiveDirection()
{
    return static_cast<int>(SendMessageW(TabControl, TCM_GETCURSEL, 0, 0));
}

void SelectTab(int index)
{
    SendMessageW(TabControl, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool IsDirection(int index)
{
    return index == 0 || index == 1;
}

namespace {

enum class PanelControl { SearchBox, PronounceButton, WordList, ArticleView };

struct PanelControlLayout {
    PanelControl control;
    const wchar_t* className;
    const wchar_t* text;
    int firstId;
    DWORD style;
    DWORD extendedStyle;
    RECT bounds;  // left, top, width, height as created
    HWND* handles;
};

// Creation order within a panel; the article view lives on the tab control, so its notifications
// stay away from the main window and its position is relative to the tab control. The search box
// scrolls its text: without that an edit field refuses whatever does not fit its width, and a long
// phrase could be neither typed nor pasted.
const PanelControlLayout PanelControls[] = {
    {PanelControl::SearchBox, WC_COMBOBOXW, L"", IDC_SEARCH_BOX, WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
     {5, 62, 248, 150}, SearchBoxes},
    {PanelControl::PronounceButton, WC_BUTTONW, L"Pronounce", IDC_PRONOUNCE, WS_CHILD, 0, {258, 63, 100, 22},
     PronounceButtons},
    {PanelControl::WordList, WC_LISTVIEWW, L"", IDC_WORD_LIST,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, WS_EX_CLIENTEDGE, {7, 92, 200, 171},
     WordLists},
    {PanelControl::ArticleView, L"RichEdit20W", L"", IDC_ARTICLE_VIEW,
     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE, 0,
     {158, 59, 200, 173}, ArticleViews},
};

void SetDefaultFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void PrepareWordList(HWND list)
{
    SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_REPORT);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    wchar_t heading[] = L"One";
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 130;
    column.pszText = heading;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void CreatePanel(HWND window, int direction)
{
    for (const PanelControlLayout& layout : PanelControls) {
        const HWND parent = layout.control == PanelControl::ArticleView ? TabControl : window;
        const HWND control = CreateWindowExW(
            layout.extendedStyle, layout.className, layout.text, layout.style, layout.bounds.left, layout.bounds.top,
            layout.bounds.right, layout.bounds.bottom, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.firstId + direction)), AppInstance, nullptr);
        layout.handles[direction] = control;
        if (layout.control == PanelControl::WordList)
            PrepareWordList(control);
        SetDefaultFont(control);
        if (layout.control == PanelControl::ArticleView) {
            SendMessageW(control, EM_SETBKGNDCOLOR, 0, RGB(255, 249, 189));
            // A rich edit holds 32,767 units unless told otherwise, less than the longest article.
            SendMessageW(control, EM_EXLIMITTEXT, 0, ArticleLimit + 1);
        }
    }
}

void InsertDirectionTab(int direction)
{
    std::wstring label = direction == 0 ? ToWide(ComposeDirectionLabel(SourceLanguage, TargetLanguage))
                                        : ToWide(ComposeDirectionLabel(TargetLanguage, SourceLanguage));
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageW(TabControl, TCM_INSERTITEMW, direction, reinterpret_cast<LPARAM>(&item));
}

LRESULT CreateMainWindowControls(HWND window)
{
    RichEditModule = LoadLibraryW(L"RICHED20.DLL");
    InitCommonControls();
    TabControl = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, -1, 30, 367, 269, window,
                                 reinterpret_cast<HMENU>(IDC_TAB_CONTROL), AppInstance, nullptr);
    for (int direction = 0; direction < 2; ++direction) {
        CreatePanel(window, direction);
        InsertDirectionTab(direction);
    }
    SetDefaultFont(TabControl);
    ShowWindow(PronounceButtons[ShownPanelIndex], SW_SHOW);
    CreateToolbar(window);
    return 0;
}

// The panel controls in the order they are hidden and shown.
void ShowPanel(int direction, int showCommand)
{
    ShowWindow(PronounceButtons[direction], showCommand);
    ShowWindow(SearchBoxes[direction], showCommand);
    ShowWindow(WordLists[direction], showCommand);
    ShowWindow(ArticleViews[direction], showCommand);
}

LRESULT PaintMainWindow(HWND window)
{
    LayoutPanels();
    const int selected = ActiveDirection();
    // Any other index names no panel; the one shown stays. Hiding the shown panel only to show
    // it again would make every repaint flicker.
    if (IsDirection(selected)) {
        if (selected != ShownPanelIndex)
            ShowPanel(ShownPanelIndex, SW_HIDE);
        ShownPanelIndex = selected;
        ShowPanel(ShownPanelIndex, SW_SHOW);
    }
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT NotifyMainWindow(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == IDC_TAB_CONTROL && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowActivePanel();
    else if ((wParam == IDC_WORD_LIST || wParam == IDC_WORD_LIST + 1) && header->code == static_cast<UINT>(NM_DBLCLK))
        PickListedWord();
    return 0;
}

LRESULT TearDownMainWindow()
{
    StartExitNotification();
    for (int direction = 0; direction < 2; ++direction) {
        DestroyWindow(SearchBoxes[direction]);
        DestroyWindow(ArticleViews[direction]);
    }
    FreeLibrary(RichEditModule);
    RemoveTrayIcon();
    LeaveClipboardViewerChain();
    UnregisterCaptureHotkey();
    CloseNotificationThread();
    ReleaseArticleBuffers();
    PostQuitMessage(0);
    return 0;
}

}  // namespace

void LayoutPanels()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    const int width = client.right;
    const int height = client.bottom;
    // A minimised window has no client area; sizes below zero mean nothing to SetWindowPos.
    const auto atLeastZero = [](int value) { return std::max(0, value); };
    SetWindowPos(Toolbar, nullptr, 0, 0, width, 30, SWP_NOZORDER);
    SetWindowPos(TabControl, nullptr, 0, 0, width + 4, atLeastZero(height - 28), SWP_NOMOVE | SWP_NOZORDER);
    for (int direction = 0; direction < 2; ++direction) {
        SetWindowPos(SearchBoxes[direction], HWND_TOP, 7, 65, atLeastZero(width - 119), 150, 0);
        SetWindowPos(PronounceButtons[direction], nullptr, width - 106, 63, 100, 22, SWP_NOZORDER);
        SetWindowPos(WordLists[direction], nullptr, 7, 92, 148, atLeastZero(height - 98), SWP_NOZORDER);
        SetWindowPos(ArticleViews[direction], nullptr, 158, 59, atLeastZero(width - 164), atLeastZero(height - 96),
                     SWP_NOZORDER);
    }
}

void ShowActivePanel()
{
    const int selected = ActiveDirection();
    for (int direction = 0; direction < 2; ++direction) {
        const int showCommand = direction == selected ? SW_SHOWNORMAL : SW_HIDE;
        ShowWindow(SearchBoxes[direction], showCommand);
        ShowWindow(PronounceButtons[direction], showCommand);
        ShowWindow(WordLists[direction], showCommand);
        ShowWindow(ArticleViews[direction], showCommand);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return CreateMainWindowControls(window);
    case WM_DESTROY:
        return TearDownMainWindow();
    case WM_PAINT:
        return PaintMainWindow(window);
    case WM_CLOSE:
        // The close box only minimises; the program ends through an Exit command.
        ShowWindow(window, SW_MINIMIZE);
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {250, 210};
        return 0;
    case WM_NOTIFY:
        return NotifyMainWindow(wParam, lParam);
    case WM_COMMAND:
        return DispatchCommand(window, wParam, lParam);
    case WM_DRAWCLIPBOARD:
        return HandleClipboardChange(wParam, lParam);
    case WM_CHANGECBCHAIN:
        return HandleClipboardChainChange(wParam, lParam);
    case WM_HOTKEY:
        return HandleCaptureHotkey(wParam);
    case TrayCallbackMessage:
        return HandleTrayCallback(window, wParam, lParam);
    case WM_SIZE:
    case WM_SIZING:
    case WM_KEYUP:
        return 0;
    default:
        if (RestoreTrayIcon(message))
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
