// Stands in for the browser and the help viewer in the tests: records each file or address the shell opens.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"wordmere-tests\\opened.txt";
    FILE* file = _wfopen(log.c_str(), L"ab");
    if (!file)
        return 1;
    const std::wstring opened = argc > 1 ? argv[1] : L"";
    // One record a line, in UTF-16, with the text between brackets so blanks at its ends show.
    const std::wstring line = L"[" + opened + L"]\n";
    fwrite(line.data(), sizeof(wchar_t), line.size(), file);
    fclose(file);
    return 0;
}
