// Typing into a search box, the word list and the article view, and picking a listed word, in the real window.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "resources/resource.h"

namespace {

const std::vector<FixtureRecord> Fruit = {
    {u"ant", u"formica"}, {u"apple", u"mela"}, {u"apricot", u"albicocca"}, {u"banana", u"banana"},
    {u"cherry", u"ciliegia"},
};
const std::vector<FixtureRecord> Frutta = {
    {u"albicocca", u"apricot"}, {u"ciliegia", u"cherry"}, {u"mela", u"apple"},
};

struct Started {
    Installation installation;
    RunningProgram program;
    Started(const std::vector<FixtureRecord>& fromEnglish, const std::vector<FixtureRecord>& toEnglish)
        : installation(CurrentTestName()), program((installation.WriteDictionary(L"Italian", fromEnglish, toEnglish),
                                                    installation))
    {
        program.WaitUntilIdle();
    }
};

std::wstring Article(RunningProgram& program, int direction)
{
    return WithPlainLineEnds(program.Text(program.ArticleView(direction)));
}

TEST(WordSearch, TypingRefreshesTheListAndArticleOfTheVisiblePanel)
{
    Started started(Fruit, Frutta);
    RunningProgram& program = started.program;
    const struct {
        const wchar_t* typed;
        std::vector<std::wstring> listed;
        const wchar_t* article;
    } cases[] = {
        {L"ap", {L"apple", L"apricot", L"banana", L"cherry"}, L""},
        {L"apple", {L"apple", L"apricot", L"banana", L"cherry"}, L"mela\n"},
        {L"Apple", {}, L""},
        {L"cherry", {L"cherry"}, L"ciliegia\n"},
        {L"an", {L"ant", L"apple", L"apricot", L"banana", L"cherry"}, L""},
        {L"ant", {L"ant", L"apple", L"apricot", L"banana", L"cherry"}, L"formica\n"},
        {L"zebra", {}, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        program.TypeIntoSearchBox(0, c.typed);
        EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == c.listed && Article(program, 0) == c.article; }, 5s))
            << "list has " << program.ListItems(0).size() << " items, article is \"" << testing::PrintToString(Article(program, 0)) << "\"";
    }

    program.ClickTab(1);
    ASSERT_TRUE(WaitUntil([&] { return program.OnlyPanelVisible(1); }));
    program.TypeIntoSearchBox(1, L"mela");
    EXPECT_TRUE(WaitUntil([&] { return program.ListItems(1) == std::vector<std::wstring>{L"mela"}; }, 5s));
    EXPECT_EQ(Article(program, 1), L"apple\n");
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"zebra") << "the other panel keeps its own search";
}

TEST(WordSearch, ListHoldsAtMostTwentyFiveWords)
{
    std::vector<FixtureRecord> many;
    for (char16_t letter = u'a'; letter <= u'z'; ++letter)
        for (char16_t second : {u'a', u'b'})
            many.push_back({std::u16string{u'w', letter, second}, u"x"});
    Started started(many, Frutta);
    RunningProgram& program = started.program;
    program.TypeIntoSearchBox(0, L"wb");
    std::vector<std::wstring> expected;
    for (size_t i = 2; i < 27; ++i)
        expected.emplace_back(many[i].headword.begin(), many[i].headword.end());
    EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == expected; }, 5s))
        << "seen " << program.ListItems(0).size() << " items";
    program.TypeIntoSearchBox(0, L"wz");
    EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == std::vector<std::wstring>{L"wza", L"wzb"}; }, 5s))
        << "the last words of the dictionary must still be listed";
}

TEST(WordSearch, DoubleClickTakesTheWordWithoutRefillingTheList)
{
    Started started(Fruit, Frutta);
    RunningProgram& program = started.program;
    program.TypeIntoSearchBox(0, L"ap");
    const std::vector<std::wstring> listed = {L"apple", L"apricot", L"banana", L"cherry"};
    ASSERT_TRUE(WaitUntil([&] { return program.ListItems(0) == listed; }, 5s));
    program.DoubleClickListItem(0, 1);
    EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)) == L"apricot"; }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return Article(program, 0) == L"albicocca\n"; }, 5s));
    EXPECT_EQ(program.ListItems(0), listed);
}

TEST(WordSearch, StartUpFillsTheFirstPanelFromA)
{
    Started started({{u"a", u"un, una"}, {u"able", u"capace"}, {u"zoo", u"zoo"}}, Frutta);
    RunningProgram& program = started.program;
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"a");
    EXPECT_EQ(program.ListItems(0), (std::vector<std::wstring>{L"a", L"able", L"zoo"}));
    EXPECT_EQ(Article(program, 0), L"un, una\n");
    EXPECT_EQ(program.Text(program.SearchBox(1)), L"");
}

}  // namespace
