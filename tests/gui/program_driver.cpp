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

RunningProgram::RunningProgram(const Installation& installation)
{
    std::wstring commandLine = L"\"" + installation.ProgramPath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Started from another folder: the program must find its files beside itself, not in the current one.
    const std::wstring elsewhere = TestsRoot();
    const BOOL started = CreateProcessW(installation.ProgramPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                        0, nullptr, elsewhere.c_str(), &startup, &process_);
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
