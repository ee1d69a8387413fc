// Drives the real program under Wine: lays out an installation, starts it, reads back what a user sees.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using namespace std::chrono_literals;

// One record of a fixture dictionary: line feed, bar, headword, bar, article.
struct FixtureRecord {
    std::u16string headword;
    std::u16string article;
};
std::u16string ArticleTextOf(const std::vector<FixtureRecord>& records);

// "Suite.Name" of the running test, for its installation folder.
std::wstring CurrentTestName();

// Text read back from a rich edit with its line ends made plain: each CR, LF or CR LF becomes LF.
std::wstring WithPlainLineEnds(std::wstring_view text);

// Polls `condition` until it holds or `timeout` passes; gives the last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 20s);

// A fresh folder laid out like an installation: the executable, and what each test adds.
class Installation {
public:
    explicit Installation(std::wstring_view name);
    const std::wstring& Folder() const { return folder_; }
    std::wstring ProgramPath() const;
    void WriteFile(std::wstring_view relativePath, std::string_view bytes) const;
    void WriteArticleFile(std::wstring_view fromLanguage, std::wstring_view toLanguage,
                          std::u16string_view plainText) const;
    // Both article files of English and `targetLanguage`.
    void WriteDictionary(std::wstring_view targetLanguage, const std::vector<FixtureRecord>& fromEnglish,
                         const std::vector<FixtureRecord>& toEnglish) const;
    void RemoveFile(std::wstring_view relativePath) const;

private:
    std::wstring folder_;
};

// A popup of a menu resource, as the executable carries it.
struct MenuEntry {
    std::wstring text;  // empty for a separator
    UINT command;       // 0 for a separator
    bool operator==(const MenuEntry&) const = default;
};
struct MenuPopup {
    std::wstring title;
    std::vector<MenuEntry> entries;
    bool operator==(const MenuPopup&) const = default;
};
void PrintTo(const MenuPopup& popup, std::ostream* out);
std::vector<MenuPopup> MenuResource(const Installation& installation, int menuId);

// The icons shown in Wine's notification area, which lives in another process.
std::vector<HWND> NotificationAreaIcons();

struct InfoBox {
    std::wstring caption;
    std::wstring text;
    HWND owner;
};

// The program started from an installation; ended when the object goes, if it still runs.
class RunningProgram {
public:
    // `environment` holds NAME=value entries that replace or add to the test's own environment.
    explicit RunningProgram(const Installation& installation, const std::vector<std::wstring>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool IsRunning() const;
    // Waits for the process to end; gives its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(std::chrono::milliseconds timeout = 10s);

    // The main window, once its title has been set.
    HWND MainWindow();
    // Closes every message box as it appears, until none has come for `quiet`; gives them in order.
    std::vector<InfoBox> DismissMessageBoxes(std::chrono::milliseconds quiet = 2500ms);
    // Waits until start-up has run and the message loop waits for input.
    void WaitUntilIdle();

    std::wstring Title();
    std::vector<std::wstring> TabLabels();
    int SelectedTab();
    void ClickTab(int index);

    HWND SearchBox(int direction);
    HWND PronounceButton(int direction);
    HWND WordList(int direction);
    HWND ArticleView(int direction);
    // Search box, Pronounce button, word list and article view of one direction.
    std::vector<HWND> PanelControls(int direction);
    bool OnlyPanelVisible(int direction);

    std::wstring Text(HWND control);
    std::vector<std::wstring> ListItems(int direction);
    // The control's rectangle in its parent's client coordinates.
    RECT Placement(HWND control);

    // Selects the search box's text and types over it, key by key, as a user does.
    void TypeIntoSearchBox(int direction, std::wstring_view text);
    void DoubleClickListItem(int direction, int item);
    // A menu or toolbar command, as a click sends it.
    void PostCommand(int command);
    std::vector<TBBUTTON> ToolbarButtons();

    // The program's visible popup menu window, or null.
    HWND PopupMenu();
    // Minimises the main window as its close box does, and waits until it is.
    void Minimise();
    bool IsInFront();

    // Opens a popup of the menu bar with Alt and its mnemonic, as the keyboard does; gives the popup window.
    HWND OpenMenu(wchar_t mnemonic);
    void CloseMenu();
    // For each line of text drawn in a popup menu window, whether it is drawn grayed (no black pixels).
    std::vector<bool> GrayedTextLines(HWND popup);
    // For each line of text drawn in a popup menu window, whether it carries a check mark.
    std::vector<bool> CheckedTextLines(HWND popup);

    // The program's dialog with this caption, once it shows.
    HWND WaitForDialog(std::wstring_view caption);
    std::vector<std::wstring> ComboItems(HWND combo);
    // The window that has the keyboard focus in the program.
    HWND FocusedControl();

private:
    struct MenuLine {
        bool grayed;
        bool checked;
    };
    std::vector<MenuLine> MenuLines(HWND popup);
    void DismissBox(HWND box);
    HWND FindMessageBox();
    RECT RemoteRect(HWND control, UINT message, WPARAM wParam, LONG left = 0);

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};
