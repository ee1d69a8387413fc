// The settings file at start-up, the options dialog, start with Windows and always on top, in the real program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "program_driver.h"
#include "resources/resource.h"

namespace {

const wchar_t RunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t OptionsCaption[] = L"Application options dialog";

std::optional<std::wstring> RunValue(HKEY root, const wchar_t* name)
{
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueW(root, RunKey, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::wstring(data);
}

void DeleteRunValue(HKEY root, const wchar_t* name)
{
    RegDeleteKeyValueW(root, RunKey, name);
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct Started {
    Installation installation;
    std::optional<RunningProgram> program;

    explicit Started(std::string_view configuration = {}, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
        : installation(CurrentTestName())
    {
        installation.WriteDictionary(L"Italian", {{u"a", u"un"}}, {{u"casa", u"house"}});
        if (!configuration.empty()) {
            installation.WriteFile(L"Configuration.dat", configuration);
            SetFileAttributesW(ConfigurationPath().c_str(), attributes);
        }
        DeleteRunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary");
        Restart();
    }
    ~Started() { SetFileAttributesW(ConfigurationPath().c_str(), FILE_ATTRIBUTE_NORMAL); }

    void Restart()
    {
        if (program) {
            program->PostCommand(IDM_EXIT);
            EXPECT_EQ(program->WaitForExit(), 0u);
        }
        program.emplace(installation);
        program->WaitUntilIdle();
    }
    std::wstring ConfigurationPath() const { return installation.Folder() + L"\\Configuration.dat"; }
    std::string Configuration() const { return FileBytes(ConfigurationPath()); }
    HWND OpenOptions()
    {
        program->PostCommand(IDM_OPTIONS);
        return program->WaitForDialog(OptionsCaption);
    }
    bool Topmost() { return (GetWindowLongW(program->MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    bool AlwaysOnTopChecked()
    {
        const std::vector<bool> checked = program->CheckedTextLines(program->OpenMenu(L'v'));
        program->CloseMenu();
        EXPECT_EQ(checked.size(), 2u) << "the View menu shows Change Locale and Always on Top";
        return checked.size() == 2 && checked[1] && !checked[0];
    }
};

void Press(HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    EXPECT_TRUE(WaitUntil([dialog] {
        PostMessageW(dialog, WM_NULL, 0, 0);
        return !IsWindow(dialog);
    })) << "the dialog did not close";
}

bool Checked(HWND dialog, int box)
{
    return SendDlgItemMessageW(dialog, box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Selected(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_DIRECTION_LIST, CB_GETCURSEL, 0, 0));
}

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST(OptionsDialog, ControlsAsTabled)
{
    Started started;
    RunningProgram& program = *started.program;
    const HWND dialog = started.OpenOptions();
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.MainWindow());
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDCANCEL) << "Cancel, not Save, is the default button";
    EXPECT_EQ(program.FocusedControl(), GetDlgItem(dialog, IDC_DIRECTION_LIST)) << "the list has the first focus";

    // The same template laid out here gives the pixel places the dialog units stand for.
    const HMODULE module = LoadLibraryExW(started.installation.ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDD_OPTIONS), MAKEINTRESOURCEW(5));
    ASSERT_TRUE(resource) << "no dialog resource " << IDD_OPTIONS;
    const HWND local = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                  static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(module, resource))),
                                                  nullptr, IgnoreEverything, 0);
    ASSERT_TRUE(local);

    const struct {
        const wchar_t* className;
        int id;
        const wchar_t* text;
        LONG style;
        RECT units;  // x, y, width, height
    } controls[] = {
        {L"Static", 65535, L"Default Language", SS_LEFT | SS_NOPREFIX, {25, 20, 60, 8}},
        // The combo box passes WS_VSCROLL on to its list; its text is the selected entry's.
        {L"ComboBox", 420, L"English Italian", CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_TABSTOP, {107, 18, 85, 86}},
        {L"Button", 65535, L"Application start", BS_GROUPBOX, {7, 7, 196, 88}},
        {L"Button", 421, L"Load on System start", BS_AUTOCHECKBOX | WS_TABSTOP, {25, 40, 135, 8}},
        {L"Button", 422, L"Always on Top", BS_AUTOCHECKBOX | WS_TABSTOP, {25, 55, 130, 8}},
        {L"Button", IDCANCEL, L"Cancel", BS_DEFPUSHBUTTON | BS_CENTER | BS_VCENTER | WS_GROUP | WS_TABSTOP, {17, 75, 80, 12}},
        {L"Button", 423, L"Save", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_GROUP | WS_TABSTOP, {112, 75, 80, 12}},
    };
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const auto& c : controls) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(child) << "fewer controls than tabled";
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        EXPECT_EQ(_wcsicmp(className, c.className), 0) << "class " << testing::PrintToString(std::wstring(className));
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        EXPECT_EQ(program.Text(child), c.text);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        EXPECT_EQ(style & c.style, c.style);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), static_cast<LONG>(WS_CHILD | WS_VISIBLE));
        // The dialog manager converts the place and the size each on its own.
        RECT expected = {c.units.left, c.units.top, c.units.right, c.units.bottom};
        MapDialogRect(local, &expected);
        const RECT seen = program.Placement(child);
        EXPECT_EQ(seen.left, expected.left);
        EXPECT_EQ(seen.top, expected.top);
        EXPECT_EQ(seen.right - seen.left, expected.right);
        // A closed drop-down list is shorter than its tabled height.
        if (c.id != IDC_DIRECTION_LIST) {
            EXPECT_EQ(seen.bottom - seen.top, expected.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(child) << "more controls than tabled";
    DestroyWindow(local);
    FreeLibrary(module);
    Press(dialog, IDCANCEL);
}

TEST(OptionsDialog, WithoutSettingsFileShowsFirstEntryAndSaveWritesTheDefaults)
{
    Started started;
    RunningProgram& program = *started.program;
    const HWND dialog = started.OpenOptions();
    EXPECT_EQ(program.ComboItems(GetDlgItem(dialog, IDC_DIRECTION_LIST)),
              (std::vector<std::wstring>{L"English Italian", L"Italian English"}));
    EXPECT_EQ(Selected(dialog), 0);
    EXPECT_FALSE(Checked(dialog, IDC_LOAD_ON_START));
    EXPECT_FALSE(Checked(dialog, IDC_ALWAYS_ON_TOP));
    Press(dialog, IDC_SAVE_OPTIONS);
    EXPECT_EQ(started.Configuration(), "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary"), std::wstring())
        << "the autostart value is created empty";
}

TEST(OptionsDialog, SecondEntrySavedSwitchesTheTabNowAndAtTheNextStart)
{
    Started started;
    const HWND dialog = started.OpenOptions();
    SendDlgItemMessageW(dialog, IDC_DIRECTION_LIST, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageW(dialog, IDC_LOAD_ON_START, BM_CLICK, 0, 0);
    Press(dialog, IDC_SAVE_OPTIONS);
    EXPECT_TRUE(WaitUntil([&] { return started.program->SelectedTab() == 1 && started.program->OnlyPanelVisible(1); }));
    EXPECT_EQ(started.Configuration(), "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n");
    EXPECT_EQ(started.Configuration().size(), 58u);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary"), started.installation.ProgramPath());

    started.Restart();
    EXPECT_EQ(started.program->SelectedTab(), 1);
    EXPECT_TRUE(started.program->OnlyPanelVisible(1));
}

TEST(OptionsDialog, CancelEscapeEnterAndTheCloseBoxChangeNothing)
{
    const std::string stored = "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nExtra=kept\r\n";
    Started started(stored);
    RunningProgram& program = *started.program;
    const std::function<void(HWND)> closers[] = {
        [](HWND dialog) { Press(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDC_DIRECTION_LIST), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDC_LOAD_ON_START), WM_KEYDOWN, VK_RETURN, 0); },
        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (size_t i = 0; i < std::size(closers); ++i) {
        SCOPED_TRACE(i);
        const HWND dialog = started.OpenOptions();
        SendDlgItemMessageW(dialog, IDC_DIRECTION_LIST, CB_SETCURSEL, 1, 0);
        SendDlgItemMessageW(dialog, IDC_LOAD_ON_START, BM_CLICK, 0, 0);
        SendDlgItemMessageW(dialog, IDC_ALWAYS_ON_TOP, BM_CLICK, 0, 0);
        closers[i](dialog);
        EXPECT_TRUE(WaitUntil([dialog] {
            PostMessageW(dialog, WM_NULL, 0, 0);
            return !IsWindow(dialog);
        })) << "the dialog stayed open";
        EXPECT_EQ(started.Configuration(), stored);
        EXPECT_EQ(program.SelectedTab(), 0);
        EXPECT_FALSE(started.Topmost());
        EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary").has_value());
    }
}

TEST(AlwaysOnTop, StoredOptionAtStartAndTheViewToggle)
{
    const struct {
        const char* line;
        bool topmost;
    } cases[] = {{"AlwaysOnTop=true\r\n", true}, {"AlwaysOnTop=trueX", true}, {"AlwaysOnTop=True\r\n", false},
                 {"AlwaysOnTop = true\r\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Started started(c.line);
        EXPECT_EQ(started.Topmost(), c.topmost);
        EXPECT_EQ(started.AlwaysOnTopChecked(), c.topmost);
        started.program->PostCommand(IDM_ALWAYS_ON_TOP);
        EXPECT_TRUE(WaitUntil([&] { return started.Topmost() != c.topmost; }));
        EXPECT_EQ(started.AlwaysOnTopChecked(), !c.topmost);
        EXPECT_EQ(started.Configuration(), c.line) << "the toggle does not write the settings";
    }
}

TEST(AlwaysOnTop, SavingTheClearedBoxEndsTheToggledState)
{
    Started started;
    started.program->PostCommand(IDM_ALWAYS_ON_TOP);
    ASSERT_TRUE(WaitUntil([&] { return started.Topmost(); }));
    const HWND dialog = started.OpenOptions();
    EXPECT_FALSE(Checked(dialog, IDC_ALWAYS_ON_TOP)) << "the box shows the stored option, not the window";
    Press(dialog, IDC_SAVE_OPTIONS);
    EXPECT_TRUE(WaitUntil([&] { return !started.Topmost(); }));
    EXPECT_FALSE(started.AlwaysOnTopChecked());
}

TEST(Autostart, WrittenAtStartWhileOnAndEmptiedWhenTurnedOff)
{
    Started started("LoadOnStart=true\r\n");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary"), started.installation.ProgramPath());
    const HWND dialog = started.OpenOptions();
    EXPECT_TRUE(Checked(dialog, IDC_LOAD_ON_START));
    SendDlgItemMessageW(dialog, IDC_LOAD_ON_START, BM_CLICK, 0, 0);
    Press(dialog, IDC_SAVE_OPTIONS);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, L"EnglishItalianDictionary"), std::wstring())
        << "the value stays, emptied";
}

TEST(Autostart, AnotherLanguagePairWritesAValueOfItsOwnName)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Greek", {{u"a", u"ena"}}, {{u"ena", u"a"}});
    installation.WriteFile(L"Configuration.dat", "LoadOnStart=true\r\n");
    DeleteRunValue(HKEY_LOCAL_MACHINE, L"EnglishGreekDictionary");
    RunningProgram program(installation);
    program.WaitUntilIdle();
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, L"EnglishGreekDictionary"), installation.ProgramPath());
}

TEST(SettingsFile, UnusableOrOddSettingsLeaveTheDefaults)
{
    const struct {
        const char* name;
        const char* configuration;
        DWORD attributes;
        int listSelection;
        bool loadOnStart;
    } cases[] = {
        {"read-only file loads nothing", "DefaultLanguageId=1\r\nAlwaysOnTop=true\r\nLoadOnStart=true\r\n",
         FILE_ATTRIBUTE_READONLY, 0, false},
        {"an index naming no tab", "DefaultLanguageId=5\r\n", FILE_ATTRIBUTE_NORMAL, -1, false},
        {"no digits read as 0", "DefaultLanguageId=abc\nLoadOnStart=trueish\n", FILE_ATTRIBUTE_NORMAL, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Started started(c.configuration, c.attributes);
        EXPECT_EQ(started.program->SelectedTab(), 0);
        EXPECT_TRUE(started.program->OnlyPanelVisible(0));
        EXPECT_FALSE(started.Topmost());
        const HWND dialog = started.OpenOptions();
        EXPECT_EQ(Selected(dialog), c.listSelection);
        EXPECT_EQ(Checked(dialog, IDC_LOAD_ON_START), c.loadOnStart);
        EXPECT_FALSE(Checked(dialog, IDC_ALWAYS_ON_TOP));
        Press(dialog, IDCANCEL);
    }
}

TEST(SettingsFile, SavingWithNoEntrySelectedStoresMinusOneAndKeepsTheTab)
{
    Started started("DefaultLanguageId=5\r\n");
    started.program->PostCommand(IDM_CHANGE_LOCALE);
    ASSERT_TRUE(WaitUntil([&] { return started.program->SelectedTab() == 1; }));
    Press(started.OpenOptions(), IDC_SAVE_OPTIONS);
    EXPECT_EQ(started.Configuration(), "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=-1\r\n");
    EXPECT_EQ(started.program->SelectedTab(), 1);
    EXPECT_TRUE(started.program->OnlyPanelVisible(1));
}

}  // namespace
