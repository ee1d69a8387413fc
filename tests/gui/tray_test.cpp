// The notification-area icon and its menu, used with the real mouse through the X server.
#include <gtest/gtest.h>

#include "foreign_application.h"
#include "program_driver.h"
#include "resources/resource.h"

namespace {

struct Started {
    Installation installation;
    RunningProgram program;
    Started()
        : installation(CurrentTestName()),
          program((installation.WriteDictionary(L"Italian", {{u"a", u"un"}}, {{u"casa", u"house"}}), installation))
    {
        program.WaitUntilIdle();
    }
};

POINT CentreOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND TheIcon()
{
    HWND icon = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<HWND> icons = NotificationAreaIcons();
        icon = icons.size() == 1 ? icons[0] : nullptr;
        return icon != nullptr;
    })) << "expected one icon in the notification area, saw " << NotificationAreaIcons().size();
    return icon;
}

// Right-clicks the icon and gives the popup that opens, checking that it opened at the cursor.
HWND OpenIconMenu(RunningProgram& program)
{
    const POINT click = CentreOf(TheIcon());
    ClickThroughX(click, MouseButton::Right);
    HWND popup = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (popup = program.PopupMenu()) != nullptr; })) << "no menu opened";
    if (popup) {
        RECT rect = {};
        GetWindowRect(popup, &rect);
        EXPECT_EQ(rect.left, click.x) << "the menu opens at the cursor";
        EXPECT_EQ(rect.top, click.y) << "the menu opens at the cursor";
    }
    return popup;
}

// Clicks item 0 ("Show") or 1 ("Exit") of the two-item popup.
void ClickMenuItem(HWND popup, int item)
{
    RECT rect = {};
    GetWindowRect(popup, &rect);
    const int height = rect.bottom - rect.top;
    ClickThroughX({rect.left + 20, rect.top + height / 4 + item * height / 2});
}

TEST(NotificationIcon, RightClickShowsTheMenuWhoseShowBringsTheWindowBack)
{
    Started started;
    RunningProgram& program = started.program;
    program.Minimise();
    const HWND popup = OpenIconMenu(program);
    ASSERT_TRUE(popup);
    EXPECT_EQ(program.GrayedTextLines(popup), (std::vector<bool>{false, false})) << "two enabled items";
    ClickMenuItem(popup, 0);
    EXPECT_TRUE(WaitUntil([&] { return program.IsInFront(); })) << "Show did not restore the window to the front";
    EXPECT_TRUE(WaitUntil([&] { return program.PopupMenu() == nullptr; }));
}

TEST(NotificationIcon, ExitFromTheMenuEndsTheProgramAndRemovesTheIcon)
{
    ASSERT_TRUE(NotificationAreaIcons().empty()) << "an icon was left by an earlier program";
    Started started;
    RunningProgram& program = started.program;
    const HWND popup = OpenIconMenu(program);
    ASSERT_TRUE(popup);
    ClickMenuItem(popup, 1);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_TRUE(WaitUntil([] { return NotificationAreaIcons().empty(); })) << "the icon stayed after the program ended";
}

TEST(NotificationIcon, OtherClicksAndEscapeDoNothing)
{
    Started started;
    RunningProgram& program = started.program;
    program.Minimise();
    const POINT icon = CentreOf(TheIcon());
    ClickThroughX(icon);
    Sleep(500);
    ClickThroughX(icon, MouseButton::Left, 2);
    Sleep(1000);
    EXPECT_EQ(program.PopupMenu(), nullptr) << "a left click or double click opened a menu";
    EXPECT_TRUE(IsIconic(program.MainWindow())) << "a left click or double click changed the window";

    ASSERT_TRUE(OpenIconMenu(program));
    PressKeysThroughX(L"Escape");
    EXPECT_TRUE(WaitUntil([&] { return program.PopupMenu() == nullptr; })) << "Escape did not close the menu";
    Sleep(500);
    EXPECT_TRUE(IsIconic(program.MainWindow())) << "Escape chose a command";
    EXPECT_TRUE(program.IsRunning());
}

}  // namespace
