// Menus, toolbar and the commands of the main window, seen and used from outside the program.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "resources/resource.h"

namespace {

const std::vector<FixtureRecord> Words = {{u"a", u"un"}, {u"house", u"casa"}};
const std::vector<FixtureRecord> Parole = {{u"casa", u"house"}};

void WriteWords(const Installation& installation)
{
    installation.WriteDictionary(L"Italian", Words, Parole);
}

TEST(Menus, TextsIdentifiersAndOrderAsTabled)
{
    Installation installation(CurrentTestName());
    const MenuEntry separator{L"", 0};
    const std::vector<MenuPopup> mainMenu = {
        {L"&File  ", {{L"New", 155}, {L"Open", 156}, separator, {L"Print", 157}, {L"Print Preview", 158}, separator,
                      {L"E&xit", 105}}},
        {L"&Edit  ", {{L"Cut", 159}, {L"Copy", 160}, {L"Paste", 161}}},
        {L"&View  ", {{L"Change Locale", 162}, separator, {L"Always on Top", 164}}},
        {L"&Tools  ", {{L"Options", 165}}},
        {L"&Help  ", {{L"Search", 166}, {L"Contents", 167}, separator, {L"Check for Updates", 169},
                      {L"Technical Support", 170}, separator, {L"About", 171}}},
    };
    EXPECT_EQ(MenuResource(installation, IDR_MAIN_MENU), mainMenu);
    const std::vector<MenuPopup> trayMenu = {{L"&File  ", {{L"Show", 224}, {L"E&xit", 225}}}};
    EXPECT_EQ(MenuResource(installation, IDR_TRAY_MENU), trayMenu);
}

TEST(Menus, FourFileItemsAreGrayedFromStartUp)
{
    Installation installation(CurrentTestName());
    WriteWords(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    // New, Open, Print, Print Preview grayed; Exit not.
    EXPECT_EQ(program.GrayedTextLines(program.OpenMenu(L'f')), (std::vector<bool>{true, true, true, true, false}));
    program.CloseMenu();
    EXPECT_EQ(program.GrayedTextLines(program.OpenMenu(L'e')), (std::vector<bool>{false, false, false}));
    program.CloseMenu();
}

TEST(Toolbar, TenButtonsWithTheirCommandsAndStyles)
{
    Installation installation(CurrentTestName());
    WriteWords(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    const struct {
        int image;
        int command;
        BYTE style;
    } expected[] = {
        {0, 10501, TBSTYLE_BUTTON}, {1, 10502, TBSTYLE_BUTTON}, {2, 10503, TBSTYLE_BUTTON}, {3, 10504, TBSTYLE_BUTTON},
        {4, 14, TBSTYLE_SEP},       {4, 10505, TBSTYLE_BUTTON}, {5, 10506, TBSTYLE_BUTTON}, {6, 10507, TBSTYLE_BUTTON},
        {7, 10508, TBSTYLE_SEP},    {7, 10508, TBSTYLE_BUTTON},
    };
    const std::vector<TBBUTTON> buttons = program.ToolbarButtons();
    ASSERT_EQ(buttons.size(), std::size(expected));
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[i].iBitmap, expected[i].image);
        EXPECT_EQ(buttons[i].idCommand, expected[i].command);
        EXPECT_EQ(buttons[i].fsStyle, expected[i].style);
        EXPECT_TRUE(buttons[i].fsState & TBSTATE_ENABLED);
    }
}

TEST(Commands, ChangeLocaleSwitchesTheTabAndBack)
{
    Installation installation(CurrentTestName());
    WriteWords(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    program.PostCommand(IDM_CHANGE_LOCALE);
    EXPECT_TRUE(WaitUntil([&] { return program.SelectedTab() == 1 && program.OnlyPanelVisible(1); }));
    program.PostCommand(IDM_CHANGE_LOCALE);
    EXPECT_TRUE(WaitUntil([&] { return program.SelectedTab() == 0 && program.OnlyPanelVisible(0); }));
}

TEST(Commands, BothExitCommandsEndTheProgramWithCodeZero)
{
    for (int command : {IDM_EXIT, IDM_TRAY_EXIT}) {
        SCOPED_TRACE(command);
        Installation installation(CurrentTestName());
        WriteWords(installation);
        RunningProgram program(installation);
        program.WaitUntilIdle();
        program.PostCommand(command);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(Commands, ShowRestoresAMinimisedWindowToTheFront)
{
    Installation installation(CurrentTestName());
    WriteWords(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    program.Minimise();
    program.PostCommand(IDM_TRAY_SHOW);
    EXPECT_TRUE(WaitUntil([&] { return program.IsInFront(); }));
}

TEST(Commands, FloppyButtonAndUnbuiltCommandsChangeNothing)
{
    Installation installation(CurrentTestName());
    WriteWords(installation);
    RunningProgram program(installation);
    program.WaitUntilIdle();
    program.TypeIntoSearchBox(0, L"house");
    ASSERT_TRUE(WaitUntil([&] { return WithPlainLineEnds(program.Text(program.ArticleView(0))) == L"casa\n"; }));
    for (int command : {IDT_SAVE, IDT_NEW_ARTICLE, IDT_ADD_LANGUAGE, IDT_PRINT, IDC_PRONOUNCE})
        program.PostCommand(command);
    program.PostCommand(IDM_CHANGE_LOCALE);
    ASSERT_TRUE(WaitUntil([&] { return program.SelectedTab() == 1; })) << "the commands before it were not handled";
    EXPECT_TRUE(program.IsRunning());
    EXPECT_EQ(program.Text(program.SearchBox(0)), L"house");
    EXPECT_EQ(program.ListItems(0), std::vector<std::wstring>{L"house"});
    EXPECT_EQ(program.Title(), L"Wordmere English to Italian, Italian to English Talking Dictionary");
}

}  // namespace
