// The driver behind the tests under Wine: installations, process control and cross-process control reading.
#include "program_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "dictionary/article_text.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

// Memory inside the program's process, for the control messages that take a pointer.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM Address(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }
    void Write(const void* data, size_t size, size_t offset = 0) const
    {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const
    {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

constexpr size_t RemoteTextCapacity = 2048;

std::wstring ClassOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

struct WindowSearch {
    DWORD processId;
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

HWND FindTopLevelWindow(DWORD processId, std::function<bool(HWND)> accept)
{
    WindowSearch search{processId, std::move(accept)};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<WindowSearch*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->processId || !search->accept(window))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window)
{
    // WM_GETTEXT crosses processes; the length first, so long texts come back whole.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::wstring LongestStaticText(HWND box)
{
    std::wstring longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0)
            continue;
        std::wstring text = WindowText(child);
        if (text.size() > longest.size())
            longest = std::move(text);
    }
    return longest;
}

std::wstring TestsRoot()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    return std::wstring(temp) + L"wordmere-tests";
}

}  // namespace

std::u16string ArticleTextOf(const std::vector<FixtureRecord>& records)
{
    std::u16string text;
    for (const FixtureRecord& record : records)
        text += u"\r\n|" + record.headword + u"|" + record.article;
    return text + u"\r\n|";
}

std::wstring CurrentTestName()
{
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    return std::wstring(name.begin(), name.end());
}

std::wstring WithPlainLineEnds(std::wstring_view text)
{
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            plain += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return condition();
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

Installation::Installation(std::wstring_view name) : folder_(TestsRoot() + L"\\" + std::wstring(name))
{
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::create_directories(folder_);
    fs::copy_file(WORDMERE_EXE, ProgramPath(), fs::copy_options::overwrite_existing);
}

std::wstring Installation::ProgramPath() const
{
    return folder_ + L"\\wordmere.exe";
}

void Installation::WriteFile(std::wstring_view relativePath, std::string_view bytes) const
{
    const fs::path path = fs::path(folder_) / fs::path(relativePath);
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << "could not write " << path;
}

void Installation::WriteArticleFile(std::wstring_view fromLanguage, std::wstring_view toLanguage,
                                    std::u16string_view plainText) const
{
    WriteFile(L"Articles\\Articles_" + std::wstring(fromLanguage) + L"_" + std::wstring(toLanguage) + L".dat",
              EncodeArticleText(plainText));
}

void Installation::WriteDictionary(std::wstring_view targetLanguage, const std::vector<FixtureRecord>& fromEnglish,
                                   const std::vector<FixtureRecord>& toEnglish) const
{
    WriteArticleFile(L"English", targetLanguage, ArticleTextOf(fromEnglish));
    WriteArticleFile(targetLanguage, L"English", ArticleTextOf(toEnglish));
}

void Installation::RemoveFile(std::wstring_view relativePath) const
{
    fs::remove(fs::path(folder_) / fs::path(relativePath));
}

namespace {

std::wstring EnvironmentName(const std::wstring& entry)
{
    std::wstring name = entry.substr(0, entry.find(L'=', 1));
    for (wchar_t& unit : name)
        unit = towupper(unit);
    return name;
}

// The test's environment with `changes` applied, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const std::vector<std::wstring>& changes)
{
    std::vector<std::wstring> entries;
    const LPWCH own = GetEnvironmentStringsW();
    for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1)
        entries.emplace_back(entry);
    FreeEnvironmentStringsW(own);
    for (const std::wstring& change : changes) {
        std::erase_if(entries, [&](const std::wstring& entry) { return EnvironmentName(entry) == EnvironmentName(change); });
        entries.push_back(change);
    }
    std::wstring block;
    for (const std::wstring& entry : entries)
        block.append(entry).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

RunningProgram::RunningProgram(const Installation& installation, const std::vector<std::wstring>& environment)
{
    std::wstring block = EnvironmentBlock(environment);
    std::wstring commandLine = L"\"" + installation.ProgramPath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Started from another folder: the program must find its files beside itself, not in the current one.
    const std::wstring elsewhere = TestsRoot();
    const BOOL started =
        CreateProcessW(installation.ProgramPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_UNICODE_ENVIRONMENT, block.data(), elsewhere.c_str(), &startup, &process_);
    EXPECT_TRUE(started) << "could not start " << fs::path(installation.ProgramPath()) << ", error " << GetLastError();
}

RunningProgram::~RunningProgram()
{
    if (!process_.hProcess)
        return;
    if (IsRunning()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningProgram::IsRunning() const
{
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD RunningProgram::WaitForExit(std::chrono::milliseconds timeout)
{
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND RunningProgram::MainWindow()
{
    if (window_)
        return window_;
    const bool found = WaitUntil([this] {
        window_ = FindTopLevelWindow(process_.dwProcessId, [](HWND window) {
            return ClassOf(window) == L"WIN32VERSION_10" && WindowText(window).rfind(L"Wordmere", 0) == 0;
        });
        return window_ != nullptr;
    });
    EXPECT_TRUE(found) << "the main window with its title did not appear";
    return window_;
}

HWND RunningProgram::FindMessageBox()
{
    return FindTopLevelWindow(process_.dwProcessId,
                              [](HWND window) { return ClassOf(window) == L"#32770" && IsWindowVisible(window); });
}

void RunningProgram::DismissBox(HWND box)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    // Wine's modal loop hides an ended box at once but leaves only when its next message arrives.
    EXPECT_TRUE(WaitUntil([box] {
        PostMessageW(box, WM_NULL, 0, 0);
        return !IsWindow(box);
    })) << "a message box stayed open";
}

std::vector<InfoBox> RunningProgram::DismissMessageBoxes(std::chrono::milliseconds quiet)
{
    std::vector<InfoBox> seen;
    for (;;) {
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = FindMessageBox()) != nullptr; }, quiet))
            return seen;
        seen.push_back({WindowText(box), LongestStaticText(box), GetWindow(box, GW_OWNER)});
        DismissBox(box);
    }
}

void RunningProgram::WaitUntilIdle()
{
    MainWindow();
    WaitForInputIdle(process_.hProcess, 10000);
}

std::wstring RunningProgram::Title()
{
    return WindowText(MainWindow());
}

std::vector<std::wstring> RunningProgram::TabLabels()
{
    const HWND tab = GetDlgItem(MainWindow(), IDC_TAB_CONTROL);
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(process_.hProcess, sizeof(TCITEMW) + RemoteTextCapacity * sizeof(wchar_t));
    std::vector<std::wstring> labels;
    for (int i = 0; i < count; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(memory.Address(sizeof item));
        item.cchTextMax = RemoteTextCapacity;
        memory.Write(&item, sizeof item);
        const wchar_t nothing = 0;
        memory.Write(&nothing, sizeof nothing, sizeof item);
        SendMessageW(tab, TCM_GETITEMW, i, memory.Address());
        std::wstring label(RemoteTextCapacity, L'\0');
        memory.Read(label.data(), label.size() * sizeof(wchar_t), sizeof item);
        label.resize(wcsnlen(label.c_str(), label.size()));
        labels.push_back(label);
    }
    return labels;
}

int RunningProgram::SelectedTab()
{
    return static_cast<int>(SendMessageW(GetDlgItem(MainWindow(), IDC_TAB_CONTROL), TCM_GETCURSEL, 0, 0));
}

RECT RunningProgram::RemoteRect(HWND control, UINT message, WPARAM wParam, LONG left)
{
    RemoteMemory memory(process_.hProcess, sizeof(RECT));
    RECT rect = {left, 0, 0, 0};
    memory.Write(&rect, sizeof rect);
    SendMessageW(control, message, wParam, memory.Address());
    memory.Read(&rect, sizeof rect);
    return rect;
}

void RunningProgram::ClickTab(int index)
{
    const HWND tab = GetDlgItem(MainWindow(), IDC_TAB_CONTROL);
    const RECT rect = RemoteRect(tab, TCM_GETITEMRECT, index);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(tab, WM_LBUTTONUP, 0, point);
}

HWND RunningProgram::SearchBox(int direction)
{
    return GetDlgItem(MainWindow(), IDC_SEARCH_BOX + direction);
}

HWND RunningProgram::PronounceButton(int direction)
{
    return GetDlgItem(MainWindow(), IDC_PRONOUNCE + direction);
}

HWND RunningProgram::WordList(int direction)
{
    return GetDlgItem(MainWindow(), IDC_WORD_LIST + direction);
}

HWND RunningProgram::ArticleView(int direction)
{
    return GetDlgItem(GetDlgItem(MainWindow(), IDC_TAB_CONTROL), IDC_ARTICLE_VIEW + direction);
}

std::vector<HWND> RunningProgram::PanelControls(int direction)
{
    return {SearchBox(direction), PronounceButton(direction), WordList(direction), ArticleView(direction)};
}

bool RunningProgram::OnlyPanelVisible(int direction)
{
    for (HWND control : PanelControls(direction))
        if (!control || !IsWindowVisible(control))
            return false;
    for (HWND control : PanelControls(1 - direction))
        if (!control || IsWindowVisible(control))
            return false;
    return true;
}

std::wstring RunningProgram::Text(HWND control)
{
    return WindowText(control);
}

std::vector<std::wstring> RunningProgram::ListItems(int direction)
{
    const HWND list = WordList(direction);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(process_.hProcess, sizeof(LVITEMW) + RemoteTextCapacity * sizeof(wchar_t));
    std::vector<std::wstring> items;
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<wchar_t*>(memory.Address(sizeof item));
        item.cchTextMax = RemoteTextCapacity;
        memory.Write(&item, sizeof item);
        const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, i, memory.Address());
        std::wstring text(static_cast<size_t>(length), L'\0');
        memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
        items.push_back(text);
    }
    return items;
}

RECT RunningProgram::Placement(HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void RunningProgram::TypeIntoSearchBox(int direction, std::wstring_view text)
{
    const HWND edit = FindWindowExW(SearchBox(direction), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(edit) << "the search box has no edit field";
    PostMessageW(edit, EM_SETSEL, 0, -1);
    // Typing over a selection replaces it; with nothing to type, Backspace empties the box.
    if (text.empty())
        PostMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t unit : text)
        PostMessageW(edit, WM_CHAR, unit, 1);
    ASSERT_TRUE(WaitUntil([&] { return Text(SearchBox(direction)) == text; }))
        << "the search box did not take the typed text";
}

void RunningProgram::DoubleClickListItem(int direction, int item)
{
    const HWND list = WordList(direction);
    const RECT rect = RemoteRect(list, LVM_GETITEMRECT, item, LVIR_LABEL);
    const LPARAM point = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
}

void RunningProgram::PostCommand(int command)
{
    PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void PrintTo(const MenuPopup& popup, std::ostream* out)
{
    *out << testing::PrintToString(popup.title) << ":";
    for (const MenuEntry& entry : popup.entries)
        *out << " " << testing::PrintToString(entry.text) << "=" << entry.command;
}

std::vector<MenuPopup> MenuResource(const Installation& installation, int menuId)
{
    std::vector<MenuPopup> popups;
    const HMODULE module = LoadLibraryExW(installation.ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_TRUE(module) << "could not read the executable's resources";
    const HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(menuId));
    EXPECT_TRUE(menu) << "no menu resource " << menuId;
    const auto textOf = [](HMENU owner, int position) {
        wchar_t text[256] = {};
        GetMenuStringW(owner, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        return std::wstring(text);
    };
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        MenuPopup popup{textOf(menu, i), {}};
        const HMENU sub = GetSubMenu(menu, i);
        for (int k = 0; sub && k < GetMenuItemCount(sub); ++k) {
            const UINT id = GetMenuItemID(sub, k);
            popup.entries.push_back({textOf(sub, k), id == static_cast<UINT>(-1) ? 0 : id});
        }
        popups.push_back(popup);
    }
    if (menu)
        DestroyMenu(menu);
    if (module)
        FreeLibrary(module);
    return popups;
}

std::vector<TBBUTTON> RunningProgram::ToolbarButtons()
{
    const HWND toolbar = GetDlgItem(MainWindow(), IDC_TOOLBAR);
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    RemoteMemory memory(process_.hProcess, sizeof(TBBUTTON));
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        SendMessageW(toolbar, TB_GETBUTTON, i, memory.Address());
        memory.Read(&button, sizeof button);
        buttons.push_back(button);
    }
    return buttons;
}

HWND RunningProgram::PopupMenu()
{
    return FindTopLevelWindow(process_.dwProcessId,
                              [](HWND window) { return ClassOf(window) == L"#32768" && IsWindowVisible(window); });
}

void RunningProgram::Minimise()
{
    PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(MainWindow()) != FALSE; })) << "the window did not minimise";
}

bool RunningProgram::IsInFront()
{
    return !IsIconic(MainWindow()) && IsWindowVisible(MainWindow()) && GetForegroundWindow() == MainWindow();
}

std::vector<HWND> NotificationAreaIcons()
{
    std::vector<HWND> icons;
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"__winex11_tray_icon" && IsWindowVisible(child))
            icons.push_back(child);
    return icons;
}

HWND RunningProgram::OpenMenu(wchar_t mnemonic)
{
    PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
    HWND popup = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (popup = PopupMenu()) != nullptr; })) << "the menu did not open";
    // Let it finish drawing before anyone looks at it.
    std::this_thread::sleep_for(300ms);
    return popup;
}

void RunningProgram::CloseMenu()
{
    PostMessageW(MainWindow(), WM_CANCELMODE, 0, 0);
    WaitUntil([&] { return PopupMenu() == nullptr; });
}

std::vector<bool> RunningProgram::GrayedTextLines(HWND popup)
{
    std::vector<bool> grayed;
    for (const MenuLine& line : MenuLines(popup))
        grayed.push_back(line.grayed);
    return grayed;
}

std::vector<bool> RunningProgram::CheckedTextLines(HWND popup)
{
    std::vector<bool> checked;
    for (const MenuLine& line : MenuLines(popup))
        checked.push_back(line.checked);
    return checked;
}

HWND RunningProgram::WaitForDialog(std::wstring_view caption)
{
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        dialog = FindTopLevelWindow(process_.dwProcessId, [caption](HWND window) {
            return ClassOf(window) == L"#32770" && IsWindowVisible(window) && WindowText(window) == caption;
        });
        return dialog != nullptr;
    })) << "the dialog " << testing::PrintToString(std::wstring(caption)) << " did not open";
    return dialog;
}

std::vector<std::wstring> RunningProgram::ComboItems(HWND combo)
{
    // Wine, like Windows, carries this message's text across processes itself: a local buffer serves.
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    std::vector<std::wstring> items;
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcsnlen(text.c_str(), text.size()));
        items.push_back(text);
    }
    return items;
}

HWND RunningProgram::FocusedControl()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

std::vector<RunningProgram::MenuLine> RunningProgram::MenuLines(HWND popup)
{
    RECT rect = {};
    GetWindowRect(popup, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);

    // A text line is a run of rows holding text pixels: black or gray ones, or white ones on the
    // highlight that marks the selected item. Grayed text has neither black nor highlighted white.
    // Separators are etched lines two rows high and are not text.
    // A check mark is drawn in the margin left of the text.
    constexpr int CheckMarginRight = 18;
    std::vector<MenuLine> lines;
    int runRows = 0;
    bool runEnabled = false;
    bool runChecked = false;
    for (int y = 3; y <= height - 3; ++y) {
        bool text = false;
        bool enabled = false;
        bool highlight = false;
        bool white = false;
        bool mark = false;
        for (int x = 4; y < height - 3 && x < width - 4; ++x) {
            const uint32_t pixel = pixels[y * width + x];
            const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
            if (r < 60 && g < 60 && b < 60 && x < CheckMarginRight)
                mark = true;
            if (r < 60 && g < 60 && b < 60)
                text = enabled = true;
            else if (r < 170 && r == g && g == b)
                text = true;
            else if (b > r + 50)
                highlight = true;
            else if (r == 255 && g == 255 && b == 255)
                white = true;
        }
        if (highlight && white)
            text = enabled = true;
        if (text) {
            ++runRows;
            runEnabled |= enabled;
            runChecked |= mark;
        } else if (runRows) {
            if (runRows > 3)
                lines.push_back({!runEnabled, runChecked});
            runRows = 0;
            runEnabled = false;
            runChecked = false;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return lines;
}
