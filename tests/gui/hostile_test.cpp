// Hostile input to the real program: huge texts, broken article files, odd settings, a deep folder. It must
// stay responsive with its state intact.
#include <gtest/gtest.h>

#include <random>

#include "dictionary/article_text.h"
#include "foreign_application.h"
#include "program_driver.h"
#include "resources/resource.h"

namespace {

const std::vector<FixtureRecord> Houses = {{u"a", u"un"}, {u"house", u"casa"}, {u"how", u"come"}};
const std::vector<FixtureRecord> Case = {{u"casa", u"house"}};

// Answers within a few seconds, and a normal lookup still works.
void ExpectResponsiveAndWorking(RunningProgram& program)
{
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(program.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored))
        << "the program stopped answering";
    ASSERT_TRUE(program.IsRunning());
    if (program.SelectedTab() != 0) {
        program.PostCommand(IDM_CHANGE_LOCALE);
        ASSERT_TRUE(WaitUntil([&] { return program.SelectedTab() == 0; }));
    }
    program.TypeIntoSearchBox(0, L"house");
    EXPECT_TRUE(WaitUntil([&] { return WithPlainLineEnds(program.Text(program.ArticleView(0))) == L"casa\n"; }))
        << "a normal lookup no longer works";
}

struct Started {
    Installation installation;
    RunningProgram program;
    Started() : installation(CurrentTestName()), program((installation.WriteDictionary(L"Italian", Houses, Case), installation))
    {
        program.WaitUntilIdle();
    }
};

std::wstring LongText(size_t length)
{
    std::wstring text;
    while (text.size() < length)
        text += L"house ";
    text.resize(length);
    return text;
}

TEST(HostileInput, TwentyThousandCharactersPastedAndCaptured)
{
    Started started;
    RunningProgram& program = started.program;
    const std::wstring huge = LongText(20000);
    // Typed past the width of the box and past what a search takes: the first 494 units are looked up.
    program.TypeIntoSearchBox(0, LongText(600));
    EXPECT_TRUE(WaitUntil([&] { return program.ListItems(0) == std::vector<std::wstring>{}; }));
    ExpectResponsiveAndWorking(program);


    PutTextOnClipboard(huge);
    const HWND edit = FindWindowExW(program.SearchBox(0), nullptr, L"Edit", nullptr);
    RECT box = {};
    GetWindowRect(program.SearchBox(0), &box);
    ClickThroughX({box.left + 20, (box.top + box.bottom) / 2});
    PostMessageW(edit, EM_SETSEL, 0, -1);
    program.PostCommand(IDM_PASTE);
    EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)) == huge; })) << "the paste did not arrive";
    ExpectResponsiveAndWorking(program);

    ForeignApplication other;
    other.ShowSelection(huge, 0, -1);
    PressKeysThroughX(L"ctrl+Insert");
    EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)).size() > 10000; }))
        << "the capture did not arrive";
    ExpectResponsiveAndWorking(program);
}

TEST(HostileInput, FiveMegabyteClipboardCaptured)
{
    Started started;
    RunningProgram& program = started.program;
    ForeignApplication other;
    program.Minimise();
    other.ShowSelection(L"", 0, 0);
    PressKeysThroughX(L"ctrl+Insert");
    // The other application answers the chord with five megabytes of text.
    PutTextOnClipboard(L"  " + LongText(5 * 1024 * 1024 / sizeof(wchar_t)));
    EXPECT_TRUE(WaitUntil([&] { return program.IsInFront(); }, 20s));
    EXPECT_TRUE(WaitUntil([&] { return program.Text(program.SearchBox(0)).rfind(L"house house", 0) == 0; }, 20s));
    ExpectResponsiveAndWorking(program);
}

TEST(HostileInput, BrokenArticleFiles)
{
    const std::u16string hugeHeadword(100000, u'h');
    std::u16string hugeArticle;
    while (hugeArticle.size() < 200000)
        hugeArticle += u"a line of an article that never ends\r\n";
    const std::u16string good = ArticleTextOf(Houses);
    const struct {
        const char* name;
        std::string fromEnglish;  // raw file bytes
    } cases[] = {
        {"odd number of bytes", EncodeArticleText(good) + "\x05"},
        {"all bars", EncodeArticleText(std::u16string(50000, u'|')) + EncodeArticleText(good)},
        {"100,000-unit headword", EncodeArticleText(u"\r\n|" + hugeHeadword + u"|x" + good)},
        {"200,000-unit article", EncodeArticleText(u"\r\n|aaa|" + hugeArticle + good)},
        {"random bytes", [&good] {
             std::mt19937 random(7);
             std::string bytes(300000, '\0');
             for (char& byte : bytes)
                 byte = static_cast<char>(random());
             // A zero unit ends the text; keep the good records after the noise reachable.
             for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                 if (bytes[i] == 2 && bytes[i + 1] == 2)
                     bytes[i] = 3;
             return bytes + EncodeArticleText(good);
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation installation(CurrentTestName());
        installation.WriteFile(L"Articles\\Articles_English_Italian.dat", c.fromEnglish);
        installation.WriteArticleFile(L"Italian", L"English", ArticleTextOf(Case));
        RunningProgram program(installation);
        program.WaitUntilIdle();
        EXPECT_TRUE(program.DismissMessageBoxes(500ms).empty());
        for (const wchar_t* typed : {L"h", L"a", L"", L"|", L"hhhh", L"aaa"}) {
            program.TypeIntoSearchBox(0, typed);
            DWORD_PTR ignored = 0;
            ASSERT_TRUE(SendMessageTimeoutW(program.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored));
        }
        program.TypeIntoSearchBox(0, L"aaa");
        if (std::string(c.name) == "200,000-unit article") {
            EXPECT_TRUE(WaitUntil([&] { return program.Text(program.ArticleView(0)).size() >= 49999; }))
                << "the long article is shown cut";
        }
        ExpectResponsiveAndWorking(program);
    }
}

TEST(HostileInput, OddSettingsFiles)
{
    std::mt19937 random(11);
    std::string noise(4096, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    const struct {
        const char* name;
        std::string bytes;
        bool folder;
    } cases[] = {
        {"random bytes", noise, false},
        {"one line of a megabyte", "DefaultLanguageId=1" + std::string(1024 * 1024, 'x'), false},
        {"a folder of that name", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation installation(CurrentTestName());
        installation.WriteDictionary(L"Italian", Houses, Case);
        if (c.folder)
            installation.WriteFile(L"Configuration.dat\\inside.txt", "x");
        else
            installation.WriteFile(L"Configuration.dat", c.bytes);
        RunningProgram program(installation);
        program.WaitUntilIdle();
        EXPECT_TRUE(program.DismissMessageBoxes(500ms).empty());
        ExpectResponsiveAndWorking(program);
        program.PostCommand(IDM_OPTIONS);
        const HWND dialog = program.WaitForDialog(L"Application options dialog");
        ASSERT_TRUE(dialog);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_OPTIONS, BN_CLICKED), 0);
        ASSERT_TRUE(WaitUntil([dialog] {
            PostMessageW(dialog, WM_NULL, 0, 0);
            return !IsWindow(dialog);
        }));
        ExpectResponsiveAndWorking(program);
        program.PostCommand(IDM_EXIT);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(HostileInput, ExecutableInAFolderNearThePathLimit)
{
    // The executable's own path just under the classic 260-character limit: the article files beside
    // it lie past the limit. Whether the system still opens them or they count as missing, the
    // program runs on.
    Installation base(CurrentTestName());
    std::wstring deep;
    const size_t wanted = 255 - std::wstring(L"\\wordmere.exe").size();
    while (base.Folder().size() + deep.size() + 1 < wanted)
        deep += L"\\" + std::wstring(std::min<size_t>(60, wanted - base.Folder().size() - deep.size() - 1), L'd');
    Installation installation(CurrentTestName() + deep);
    ASSERT_GE(installation.ProgramPath().size(), 250u);
    installation.WriteDictionary(L"Italian", Houses, Case);
    RunningProgram program(installation);
    const std::vector<InfoBox> boxes = program.DismissMessageBoxes(2s);
    EXPECT_TRUE(boxes.empty() || boxes.size() == 3) << boxes.size() << " message boxes";
    EXPECT_EQ(program.Title(), L"Wordmere English to Italian, Italian to English Talking Dictionary");
    if (boxes.empty())
        ExpectResponsiveAndWorking(program);
    program.PostCommand(IDM_EXIT);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
