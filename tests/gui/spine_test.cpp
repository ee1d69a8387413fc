// Start-up, language discovery, article file loading, panels, layout and ending, seen from outside the program.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "resources/resource.h"

namespace {

const std::wstring MissingFileText =
    L"Dictionary article file not found, please try reinstall application or download latest version from "
    L"http://www.wordmere.com/";

const std::vector<FixtureRecord> EnglishItalian = {
    {u"a", u"un, una"}, {u"ant", u"formica"}, {u"apple", u"mela"}, {u"apricot", u"albicocca"},
    {u"banana", u"banana"}, {u"house", u"casa"},
};
const std::vector<FixtureRecord> ItalianEnglish = {
    {u"albicocca", u"apricot"}, {u"casa", u"house"}, {u"mela", u"apple"},
};

void ExpectMissingFileBoxes(const std::vector<InfoBox>& boxes, size_t count, HWND owner)
{
    ASSERT_EQ(boxes.size(), count);
    for (const InfoBox& box : boxes) {
        EXPECT_EQ(box.caption, L"Info Message");
        EXPECT_EQ(box.text, MissingFileText);
        EXPECT_EQ(box.owner, owner) << "the box must be owned by the main window";
    }
}

TEST(LanguageDiscovery, TitleAndTabsNameTheLanguageOfTheFirstArticleFile)
{
    const struct {
        const wchar_t* articleFile;
        const wchar_t* title;
        std::vector<std::wstring> tabs;
    } cases[] = {
        {L"Articles_English_Greek.dat", L"Wordmere English to Greek, Greek to English Talking Dictionary",
         {L"English Greek", L"Greek English"}},
        {L"Articles_English_Brazilian_Portuguese.dat",
         L"Wordmere English to Portuguese, Portuguese to English Talking Dictionary",
         {L"English Portuguese", L"Portuguese English"}},
        {L"Articles_Greek_English.dat", L"Wordmere English to Italian, Italian to English Talking Dictionary",
         {L"English Italian", L"Italian English"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.articleFile);
        Installation installation(CurrentTestName());
        installation.WriteFile(std::wstring(L"Articles\\") + c.articleFile, "");
        RunningProgram program(installation);
        program.DismissMessageBoxes();
        EXPECT_EQ(program.Title(), c.title);
        EXPECT_EQ(program.TabLabels(), c.tabs);
    }
}

TEST(ArticleFiles, MissingFirstFileIsReportedOnceThenByEachSearch)
{
    Installation installation(CurrentTestName());
    installation.WriteArticleFile(L"Italian", L"English", ArticleTextOf(ItalianEnglish));
    RunningProgram program(installation);
    // One box from loading, which does not try the second file, then one from each initial search.
    ExpectMissingFileBoxes(program.DismissMessageBoxes(), 3, program.MainWindow());
    EXPECT_EQ(program.Title(), L"Wordmere English to Italian, Italian to English Talking Dictionary");

    const HWND edit = FindWindowExW(program.SearchBox(0), nullptr, L"Edit", nullptr);
    PostMessageW(edit, WM_CHAR, L'x', 1);
    ExpectMissingFileBoxes(program.DismissMessageBoxes(), 2, program.MainWindow());
    EXPECT_TRUE(program.ListItems(0).empty());
}

TEST(ArticleFiles, MissingSecondFileLeavesBothDirectionsUnloaded)
{
    Installation installation(CurrentTestName());
    installation.WriteArticleFile(L"English", L"Italian", ArticleTextOf(EnglishItalian));
    RunningProgram program(installation);
    ExpectMissingFileBoxes(program.DismissMessageBoxes(), 3, program.MainWindow());
    EXPECT_TRUE(program.ListItems(0).empty()) << "the first file's data must not be used";
    EXPECT_EQ(program.Text(program.ArticleView(0)), L"");
}

TEST(ArticleFiles, EmptyFileIsNotReportedByLoadingButByTheSearches)
{
    Installation installation(CurrentTestName());
    installation.WriteArticleFile(L"English", L"Italian", u"");
    installation.WriteArticleFile(L"Italian", L"English", ArticleTextOf(ItalianEnglish));
    RunningProgram program(installation);
    ExpectMissingFileBoxes(program.DismissMessageBoxes(), 2, program.MainWindow());
}

TEST(ArticleFiles, BothFilesLoadAndTheFirstPanelStartsFromA)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Italian", EnglishItalian, ItalianEnglish);
    RunningProgram program(installation);
    EXPECT_TRUE(program.DismissMessageBoxes(1s).empty());
    program.WaitUntilIdle();
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"a");
    EXPECT_EQ(program.ListItems(0),
              (std::vector<std::wstring>{L"a", L"ant", L"apple", L"apricot", L"banana", L"house"}));
    EXPECT_EQ(program.Text(program.ArticleView(0)).substr(0, 7), L"un, una");
    EXPECT_TRUE(program.ListItems(1).empty());
}

TEST(MainWindow, OnlyTheSelectedPanelIsVisible)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Italian", EnglishItalian, ItalianEnglish);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    EXPECT_EQ(program.SelectedTab(), 0);
    EXPECT_TRUE(program.OnlyPanelVisible(0));

    program.ClickTab(1);
    EXPECT_TRUE(WaitUntil([&] { return program.SelectedTab() == 1 && program.OnlyPanelVisible(1); }))
        << "after a click on the second tab only its panel shows";
    program.ClickTab(0);
    EXPECT_TRUE(WaitUntil([&] { return program.SelectedTab() == 0 && program.OnlyPanelVisible(0); }));
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"a") << "the hidden panel keeps what it showed";
    EXPECT_EQ(program.ListItems(0).size(), 6u);
}

TEST(MainWindow, CloseBoxOnlyMinimisesAndExitEndsWithCodeZero)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Italian", EnglishItalian, ItalianEnglish);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    PostMessageW(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(program.MainWindow()) != FALSE; })) << "the window was not minimised";
    EXPECT_EQ(program.WaitForExit(1s), static_cast<DWORD>(STILL_ACTIVE)) << "the close box ended the program";

    program.PostCommand(IDM_EXIT);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(MainWindow, CannotBeMadeSmallerThanItsMinimum)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Italian", EnglishItalian, ItalianEnglish);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    SetWindowPos(program.MainWindow(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect = {};
    GetWindowRect(program.MainWindow(), &rect);
    EXPECT_EQ(rect.right - rect.left, 250);
    EXPECT_EQ(rect.bottom - rect.top, 210);
}

TEST(MainWindow, ControlsFollowTheLayoutAfterAResize)
{
    Installation installation(CurrentTestName());
    installation.WriteDictionary(L"Italian", EnglishItalian, ItalianEnglish);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    SetWindowPos(program.MainWindow(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const auto placed = [&](HWND control, RECT expected) {
        const RECT seen = program.Placement(control);
        return seen.left == expected.left && seen.top == expected.top && seen.right == expected.right &&
               seen.bottom == expected.bottom;
    };
    const HWND tab = GetDlgItem(program.MainWindow(), IDC_TAB_CONTROL);
    // Which controls stand where the layout puts them for the current client size; the program places
    // them one after another while this test looks, so the whole set is waited for.
    const auto misplaced = [&] {
        RECT client = {};
        GetClientRect(program.MainWindow(), &client);
        const LONG w = client.right, h = client.bottom;
        std::vector<std::string> wrong;
        if (w < 600)
            wrong.push_back("the window was not resized");
        if (!placed(tab, {-1, 30, -1 + w + 4, 30 + h - 28}))
            wrong.push_back("tab control");
        const RECT toolbar = program.Placement(GetDlgItem(program.MainWindow(), IDC_TOOLBAR));
        if (toolbar.left != 0 || toolbar.top != 0 || toolbar.right != w)
            wrong.push_back("toolbar");
        for (int direction = 0; direction < 2; ++direction) {
            const char which = static_cast<char>('0' + direction);
            const RECT search = program.Placement(program.SearchBox(direction));
            if (search.left != 7 || search.top != 65 || search.right - search.left != w - 119)
                wrong.push_back(std::string("search box ") + which);
            if (!placed(program.PronounceButton(direction), {w - 106, 63, w - 106 + 100, 63 + 22}))
                wrong.push_back(std::string("Pronounce button ") + which);
            if (!placed(program.WordList(direction), {7, 92, 7 + 148, 92 + h - 98}))
                wrong.push_back(std::string("word list ") + which);
            if (!placed(program.ArticleView(direction), {158, 59, 158 + w - 164, 59 + h - 96}))
                wrong.push_back(std::string("article view ") + which);
        }
        return wrong;
    };
    EXPECT_TRUE(WaitUntil([&] { return misplaced().empty(); }))
        << "not where the layout puts them: " << testing::PrintToString(misplaced());
}

}  // namespace
