// Settings file: read whole into the map at start-up and after a save; written as three lines.
#include "settings/settings_file.h"

#include <windows.h>

#include <string>

#include "app/startup.h"

SettingsEntries SettingsMap;

namespace {

constexpr std::u16string_view SettingsFileSuffix = u"\\Configuration.dat";

// The file holds three short lines; a huge one is garbage, and reading stops at its first long line anyway.
constexpr DWORD SettingsReadLimit = 4 * 1024 * 1024;

std::string ReadUpTo(HANDLE file, DWORD limit)
{
    std::string bytes;
    char chunk[64 * 1024];
    DWORD read = 0;
    while (bytes.size() < limit && ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    return bytes;
}

bool WriteWhole(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A read-only file refuses writing on Windows whoever asks; said outright so that it holds for an
// administrator's account, and for a file system that only knows the attribute, alike.
bool IsReadOnlyFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

void LoadSettings()
{
    const std::wstring path = PathBesideModule(SettingsFileSuffix);
    // Opened for update, as the options dialog later writes the same file: one that cannot be written
    // (read-only, or a folder without write access) counts as absent.
    const HANDLE file = path.empty() || IsReadOnlyFile(path) ? INVALID_HANDLE_VALUE
                                     : CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    SettingsMap.clear();
    if (file == INVALID_HANDLE_VALUE)
        return;
    try {
        SettingsMap = ParseSettings(ReadUpTo(file, SettingsReadLimit));
    } catch (...) {
        SettingsMap.clear();
    }
    CloseHandle(file);
}

void SaveSettings()
{
    const std::wstring path = PathBesideModule(SettingsFileSuffix);
    if (path.empty() || IsReadOnlyFile(path))
        return;
    const std::string bytes = FormatSettings(SettingsMap);
    // Written beside the file and then put in its place, so a failed write never leaves half a file.
    const std::wstring partial = path + L".partial";
    const HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const bool written = WriteWhole(file, bytes) && FlushFileBuffers(file);
        CloseHandle(file);
        if (!written || !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            DeleteFileW(partial.c_str());
        return;
    }
    // No room for a second file (the folder refuses new files): write the file itself.
    const HANDLE direct =
        CreateFileW(path.c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (direct == INVALID_HANDLE_VALUE)
        return;
    WriteWhole(direct, bytes);
    CloseHandle(direct);
}

bool SettingIsTrue(std::u16string_view key)
{
    return SettingIsTrue(SettingsMap, key);
}
