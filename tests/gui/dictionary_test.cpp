// The bundled English-Italian dictionary in the real program.
#include <gtest/gtest.h>

#include <filesystem>

#include "program_driver.h"

namespace {

TEST(BundledDictionary, HouseListsWordsFromHouseOnAndShowsItsTranslation)
{
    Installation installation(CurrentTestName());
    for (const wchar_t* name : {L"Articles_English_Italian.dat", L"Articles_Italian_English.dat"}) {
        const std::filesystem::path compiled = std::filesystem::path(WORDMERE_DICTIONARY_DIR) / name;
        ASSERT_TRUE(std::filesystem::exists(compiled)) << compiled << " is missing: build the native tree first";
        std::filesystem::create_directories(std::filesystem::path(installation.Folder()) / L"Articles");
        std::filesystem::copy_file(compiled, std::filesystem::path(installation.Folder()) / L"Articles" / name);
    }
    RunningProgram program(installation);
    program.WaitUntilIdle();
    EXPECT_TRUE(program.DismissMessageBoxes(500ms).empty());
    EXPECT_EQ(program.Title(), L"Wordmere English to Italian, Italian to English Talking Dictionary");

    program.TypeIntoSearchBox(0, L"house");
    ASSERT_TRUE(WaitUntil([&] { return program.ListItems(0).size() == 25; }));
    const std::vector<std::wstring> listed = program.ListItems(0);
    EXPECT_EQ(listed[0], L"house");
    for (size_t i = 1; i < listed.size(); ++i)
        EXPECT_LE(_wcsicmp(listed[i - 1].c_str(), listed[i].c_str()), 0) << "out of order: " << testing::PrintToString(listed);
    const std::wstring article = WithPlainLineEnds(program.Text(program.ArticleView(0)));
    EXPECT_NE(article.find(L"casa"), std::wstring::npos) << testing::PrintToString(article);

    program.ClickTab(1);
    ASSERT_TRUE(WaitUntil([&] { return program.OnlyPanelVisible(1); }));
    program.TypeIntoSearchBox(1, L"casa");
    EXPECT_TRUE(WaitUntil([&] {
        return WithPlainLineEnds(program.Text(program.ArticleView(1))).find(L"house") != std::wstring::npos;
    }));
}

}  // namespace
