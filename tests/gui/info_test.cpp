// The About box, the help page and web links, and the usage notifications, seen from outside the program.
#include <gtest/gtest.h>

#include <sstream>

#include "foreign_application.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "web_fixtures.h"

namespace {

const std::wstring Host = L"http://www.wordmere.com";

void WriteItalian(const Installation& installation)
{
    installation.WriteDictionary(L"Italian", {{u"a", u"un"}}, {{u"casa", u"house"}});
}

void CloseDialogWith(HWND dialog, const std::function<void(HWND)>& close)
{
    close(dialog);
    EXPECT_TRUE(WaitUntil([dialog] {
        PostMessageW(dialog, WM_NULL, 0, 0);
        return !IsWindow(dialog);
    })) << "the dialog stayed open";
}

std::vector<std::wstring> Paragraphs(const std::wstring& text)
{
    std::vector<std::wstring> paragraphs;
    std::wistringstream lines(WithPlainLineEnds(text));
    for (std::wstring line; std::getline(lines, line);)
        paragraphs.push_back(line);
    return paragraphs;
}

TEST(AboutBox, ShowsTheVersionAndProductLineAndClosesEveryWay)
{
    Installation installation(CurrentTestName());
    WriteItalian(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    const std::function<void(HWND)> closers[] = {
        [](HWND about) { PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); },
        [](HWND about) { PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_RETURN, 0); },
        [](HWND about) { PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (size_t i = 0; i < std::size(closers); ++i) {
        SCOPED_TRACE(i);
        program.PostCommand(IDM_ABOUT);
        const HWND about = program.WaitForDialog(L"About");
        ASSERT_TRUE(about);
        EXPECT_EQ(GetWindow(about, GW_OWNER), program.MainWindow());
        const HWND first = GetWindow(about, GW_CHILD);
        EXPECT_EQ(program.Text(first), L"Wordmere English to Italian, Italian to English Talking Dictionary ");
        EXPECT_EQ(program.Text(GetDlgItem(about, IDC_VERSION_LINE)), L"Version 1.4.7 ");
        EXPECT_EQ(program.Text(GetWindow(GetDlgItem(about, IDC_VERSION_LINE), GW_HWNDNEXT)), L"Product details");
        const std::vector<std::wstring> description = Paragraphs(program.Text(GetDlgItem(about, IDC_PRODUCT_DESCRIPTION)));
        ASSERT_EQ(description.size(), 5u) << testing::PrintToString(description);
        EXPECT_TRUE(description[1].empty());
        EXPECT_NE(description[0].find(L"Wordmere"), std::wstring::npos);
        EXPECT_NE(description[0].find(L"Windows"), std::wstring::npos);
        EXPECT_EQ(program.Text(GetDlgItem(about, IDOK)), L"Ok");
        EXPECT_EQ(program.Text(GetDlgItem(about, IDC_SYSTEM_INFO)), L"System info");
        CloseDialogWith(about, closers[i]);
    }
}

TEST(AboutBox, AltQuestionMarkAndSlashOpenItOnlyFromTheMainWindow)
{
    Installation installation(CurrentTestName());
    WriteItalian(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    // Real keys: accelerators read the Alt key's state, which only real input sets.
    RunUnixCommand(L"/usr/bin/xdotool windowfocus --sync " + std::to_wstring(XWindowOf(program.MainWindow())));
    ASSERT_TRUE(WaitUntil([&] { return program.FocusedControl() == program.MainWindow(); }))
        << "the main window itself does not have the keyboard";
    for (const wchar_t* keys : {L"alt+question", L"alt+slash"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(keys)));
        PressKeysThroughX(keys);
        const HWND about = program.WaitForDialog(L"About");
        ASSERT_TRUE(about);
        CloseDialogWith(about, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    }
    RECT box = {};
    GetWindowRect(program.SearchBox(0), &box);
    ClickThroughX({box.left + 20, (box.top + box.bottom) / 2});
    const HWND edit = FindWindowExW(program.SearchBox(0), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return program.FocusedControl() == edit; })) << "the search box did not take the focus";
    for (const wchar_t* keys : {L"alt+question", L"alt+slash"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(keys)));
        PressKeysThroughX(keys);
        Sleep(1500);
        EXPECT_FALSE(FindWindowW(L"#32770", L"About")) << "the keystroke to the search box opened the About box";
    }
}

TEST(AboutBox, SystemInfoStartsTheToolAndLeavesTheBoxOpen)
{
    Installation installation(CurrentTestName());
    WriteItalian(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    program.PostCommand(IDM_ABOUT);
    const HWND about = program.WaitForDialog(L"About");
    ASSERT_TRUE(about);
    PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDC_SYSTEM_INFO, BN_CLICKED), 0);
    // Wine's system information tool says who it is in its title.
    HWND tool = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (tool = FindWindowW(nullptr, L"About System Information")) != nullptr; }))
        << "the system information tool did not start";
    if (tool)
        PostMessageW(tool, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "the About box closed";
    CloseDialogWith(about, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
}

TEST(HelpAndLinks, CommandsOpenThePageAndAddressesWithTheShell)
{
    const struct {
        const char* name;
        const wchar_t* language;  // null: no article files at all
        std::vector<int> commands;
        std::vector<std::wstring> opened;  // with the installation folder in place of {}
    } cases[] = {
        {"Italian",
         L"Italian",
         {IDM_HELP_SEARCH, IDM_HELP_CONTENTS, IDT_HELP, IDM_CHECK_UPDATES, IDM_TECHNICAL_SUPPORT},
         {L"{}\\Help\\Help.EN.html", L"{}\\Help\\Help.EN.html", L"{}\\Help\\Help.EN.html",
          Host + L"/download_italian?client=DesktopVersion_1.4.7 ", Host + L"/contact_us?client=DesktopVersion_1.4.7 "}},
        {"Greek", L"Greek", {IDM_CHECK_UPDATES}, {Host + L"/download_greek?client=DesktopVersion_1.4.7 "}},
        {"no article file", nullptr, {IDM_CHECK_UPDATES}, {Host + L"/download_?client=DesktopVersion_1.4.7 "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation installation(CurrentTestName());
        installation.WriteFile(L"Help\\Help.EN.html", "<html><body>Help</body></html>");
        if (c.language)
            installation.WriteDictionary(c.language, {{u"a", u"x"}}, {{u"x", u"a"}});
        RecordShellOpens();
        RunningProgram program(installation);
        program.DismissMessageBoxes(c.language ? 500ms : 3s);
        program.WaitUntilIdle();
        std::vector<std::wstring> expected;
        for (size_t i = 0; i < c.commands.size(); ++i) {
            program.PostCommand(c.commands[i]);
            // One at a time: each open starts a process, and they could finish in any order.
            EXPECT_TRUE(WaitUntil([&] { return ShellOpens().size() == i + 1; })) << "command " << c.commands[i];
            std::wstring opened = c.opened[i];
            if (opened.rfind(L"{}", 0) == 0)
                opened.replace(0, 2, installation.Folder());
            expected.push_back(opened);
        }
        EXPECT_EQ(ShellOpens(), expected);
        EXPECT_TRUE(program.DismissMessageBoxes(500ms).empty()) << "a command showed a message";
    }
}

TEST(Notifications, StartAndExitEachSendOneHeadRequest)
{
    RecordingProxy proxy;
    Installation installation(CurrentTestName());
    WriteItalian(installation);
    RunningProgram program(installation, {proxy.EnvironmentEntry()});
    program.WaitUntilIdle();
    ASSERT_TRUE(WaitUntil([&] { return proxy.Requests().size() == 1; })) << "no start notification";
    program.PostCommand(IDM_EXIT);
    EXPECT_EQ(program.WaitForExit(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return proxy.Requests().size() == 2; }, 5s)) << "no exit notification";
    Sleep(500);
    const std::vector<std::string> requests = proxy.Requests();
    ASSERT_EQ(requests.size(), 2u);
    const std::string objects[] = {"//home?client=DesktopVersion_1.4.7%20%20Italian HTTP/1.1\r\n",
                                   "//home?client=DesktopVersion_1.4.7%20&SessionCompleted HTTP/1.1\r\n"};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(requests[i]);
        const std::string requestLine = requests[i].substr(0, requests[i].find("\r\n") + 2);
        EXPECT_EQ(requestLine.rfind("HEAD http://www.wordmere.com", 0), 0u);
        EXPECT_TRUE(requestLine.ends_with(objects[i]));
        EXPECT_NE(requests[i].find("\r\nUser-Agent: Wordmere notification agent\r\n"), std::string::npos);
    }
}

TEST(Notifications, AnUnansweredRequestDelaysNeitherStartNorExit)
{
    RecordingProxy silent(RecordingProxy::Answer::Never);
    Installation installation(CurrentTestName());
    WriteItalian(installation);
    RunningProgram program(installation, {silent.EnvironmentEntry()});
    ASSERT_TRUE(WaitUntil([&] { return silent.Requests().size() == 1; })) << "no start notification";
    program.WaitUntilIdle();
    EXPECT_EQ(program.ListItems(0), std::vector<std::wstring>{L"a"}) << "start-up did not go on";
    EXPECT_TRUE(program.DismissMessageBoxes(500ms).empty());
    program.PostCommand(IDM_EXIT);
    EXPECT_EQ(program.WaitForExit(), 0u) << "the program waited for its notification";
}

}  // namespace
