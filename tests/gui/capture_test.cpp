// Ctrl+Insert in another application, the clipboard viewer chain, and Cut, Copy and Paste, through real X input.
#include <gtest/gtest.h>

#include "foreign_application.h"
#include "program_driver.h"
#include "resources/resource.h"

namespace {

const std::vector<FixtureRecord> Houses = {
    {u"a", u"un"}, {u"hour", u"ora"}, {u"house", u"casa"}, {u"household", u"famiglia"}, {u"how", u"come"},
};
const std::vector<FixtureRecord> Case = {{u"casa", u"house"}};

struct Started {
    Installation installation;
    RunningProgram program;
    Started() : installation(CurrentTestName()), program((installation.WriteDictionary(L"Italian", Houses, Case), installation))
    {
        program.WaitUntilIdle();
    }
};

std::wstring Article(RunningProgram& program)
{
    return WithPlainLineEnds(program.Text(program.ArticleView(0)));
}

TEST(Capture, CtrlInsertLooksUpTheSelectionOfAnotherApplication)
{
    Started started;
    RunningProgram& program = started.program;
    ForeignApplication other;
    const struct {
        const wchar_t* selection;
        const wchar_t* searchText;
        std::vector<std::wstring> listed;
        const wchar_t* article;
    } cases[] = {
        {L"  house  ", L"house", {L"house", L"household", L"how"}, L"casa\n"},
        {L"house\r\n", L"house\r\n", {}, L""},
        {L"   ", L"", {L"a", L"hour", L"house", L"household", L"how"}, L""},
        {L" hou", L"hou", {L"hour", L"house", L"household", L"how"}, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.selection)));
        program.Minimise();
        other.ShowSelection(c.selection, 0, -1);
        PressKeysThroughX(L"ctrl+Insert");
        EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)) == c.searchText; }))
            << "search box holds " << testing::PrintToString(program.Text(program.SearchBox(0)));
        EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == c.listed && Article(program) == c.article; }));
        EXPECT_TRUE(WaitUntil([&] { return program.IsInFront(); })) << "the window was not restored and in front";
    }
}

TEST(Capture, TextGoesToTheSelectedTab)
{
    Started started;
    RunningProgram& program = started.program;
    ForeignApplication other;
    program.ClickTab(1);
    ASSERT_TRUE(WaitUntil([&] { return program.OnlyPanelVisible(1); }));
    other.ShowSelection(L"casa", 0, -1);
    PressKeysThroughX(L"ctrl+Insert");
    EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(1)) == L"casa"; }));
    EXPECT_TRUE(WaitUntil([&] { return WithPlainLineEnds(program.Text(program.ArticleView(1))) == L"house\n"; }));
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"a");
}

TEST(Capture, NothingSelectedShowsNothingAndALaterCopyIsNoCapture)
{
    Started started;
    RunningProgram& program = started.program;
    ForeignApplication other;
    program.Minimise();
    other.ShowSelection(L"house", 0, 0);
    PressKeysThroughX(L"ctrl+Insert");
    Sleep(3500);
    EXPECT_TRUE(IsIconic(program.MainWindow())) << "the window came up without a copy";
    PutTextOnClipboard(L"house");
    Sleep(1500);
    EXPECT_TRUE(IsIconic(program.MainWindow())) << "a copy long after the hotkey was taken for a capture";
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"a");
}

TEST(Capture, ClipboardWithoutTextStillBringsTheWindowUp)
{
    Started started;
    RunningProgram& program = started.program;
    ForeignApplication other;
    program.TypeIntoSearchBox(0, L"how");
    program.Minimise();
    // The other application answers the chord by putting a picture, not text, on the clipboard.
    other.ShowSelection(L"", 0, 0);
    PressKeysThroughX(L"ctrl+Insert");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, CreateBitmap(4, 4, 1, 32, nullptr));
    CloseClipboard();
    EXPECT_TRUE(WaitUntil([&] { return program.IsInFront(); }));
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"how");
    EXPECT_EQ(program.ListItems(0), std::vector<std::wstring>{L"how"});
}

TEST(Capture, AnEarlierClipboardViewerStillHearsOfEveryChange)
{
    ForeignApplication viewer(ClipboardChain::Join);
    Started started;
    RunningProgram& program = started.program;
    Sleep(500);
    const int before = viewer.ClipboardChanges();
    PutTextOnClipboard(L"one");
    PutTextOnClipboard(L"two");
    EXPECT_TRUE(WaitUntil([&] { return viewer.ClipboardChanges() == before + 2; }))
        << "the viewer after the program heard of " << viewer.ClipboardChanges() - before << " of 2 changes";

    program.PostCommand(IDM_EXIT);
    ASSERT_EQ(program.WaitForExit(), 0u);
    PutTextOnClipboard(L"three");
    EXPECT_TRUE(WaitUntil([&] { return viewer.ClipboardChanges() == before + 3; }))
        << "the chain was broken when the program left it";
}

TEST(EditCommands, CutCopyAndPasteActOnTheFocusedSearchBox)
{
    Started started;
    RunningProgram& program = started.program;
    program.TypeIntoSearchBox(0, L"house");
    RECT box = {};
    GetWindowRect(program.SearchBox(0), &box);
    ClickThroughX({box.left + 20, (box.top + box.bottom) / 2});
    const HWND edit = FindWindowExW(program.SearchBox(0), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.MainWindow(); }));

    const struct {
        int command;
        int selectionStart, selectionEnd;
        const wchar_t* clipboard;
        const wchar_t* searchText;
    } cases[] = {
        {IDM_COPY, 0, 3, L"hou", L"house"},
        {IDT_COPY, 1, 4, L"ous", L"house"},
        {IDM_CUT, 0, 3, L"hou", L"se"},
        {IDM_PASTE, 0, 0, L"hou", L"house"},
        {IDT_CUT, 0, -1, L"house", L""},
        {IDT_PASTE, 0, 0, L"house", L"house"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        PutTextOnClipboard(c.command == IDM_PASTE ? L"hou" : c.command == IDT_PASTE ? L"house" : L"unchanged");
        PostMessageW(edit, EM_SETSEL, c.selectionStart, c.selectionEnd);
        program.PostCommand(c.command);
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == c.clipboard; }, 5s))
            << "clipboard holds " << testing::PrintToString(ClipboardText());
        EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)) == c.searchText; }, 5s))
            << "search box holds " << testing::PrintToString(program.Text(program.SearchBox(0)));
    }
    // Paste is a typed change: the list follows it. Copy looked nothing up.
    EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == std::vector<std::wstring>{L"house", L"household", L"how"}; }));
}

}  // namespace
