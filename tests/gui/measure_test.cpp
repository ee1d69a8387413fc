// Figures, not checks: start-up and keystroke times of the real program on a large dictionary.
// Run by tools/measure_wine.sh, which compiles the dictionary; disabled in the ordinary test run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "program_driver.h"

namespace {

double MillisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST(Measure, DISABLED_StartUpAndKeystrokesOnALargeDictionary)
{
    const wchar_t* folder = _wgetenv(L"WORDMERE_MEASURE_ARTICLES");
    ASSERT_TRUE(folder) << "set WORDMERE_MEASURE_ARTICLES to a folder with the two article files";
    const wchar_t* language = _wgetenv(L"WORDMERE_MEASURE_LANGUAGE");
    Installation installation(CurrentTestName());
    std::filesystem::create_directories(std::filesystem::path(installation.Folder()) / L"Articles");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::copy_file(entry.path(), std::filesystem::path(installation.Folder()) / L"Articles" / entry.path().filename());

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    RunningProgram program(installation);
    const HWND window = program.MainWindow();
    const HWND list = program.WordList(0);
    while (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0 && MillisecondsSince(start) < 120000)
        Sleep(5);
    const double startUp = MillisecondsSince(start);
    ASSERT_TRUE(window);

    // Each keystroke is sent, not posted: the call returns once the edit field, the list and the
    // article view have all been updated.
    const HWND edit = FindWindowExW(program.SearchBox(0), nullptr, L"Edit", nullptr);
    std::vector<double> times;
    for (const wchar_t* word : {L"house", L"zebra", L"xylophone", L"abandon", L"qqqqq"}) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t* unit = word; *unit; ++unit) {
            LARGE_INTEGER keystroke;
            QueryPerformanceCounter(&keystroke);
            SendMessageW(edit, WM_CHAR, *unit, 1);
            times.push_back(MillisecondsSince(keystroke));
        }
    }
    std::sort(times.begin(), times.end());
    printf("dictionary: %ls\n", language ? language : L"(unnamed)");
    printf("start-up to the first word list: %.0f ms\n", startUp);
    printf("keystroke to list and article: median %.2f ms, slowest %.2f ms over %zu keystrokes\n",
           times[times.size() / 2], times.back(), times.size());
    program.PostCommand(105);
    program.WaitForExit(30s);
}

}  // namespace
