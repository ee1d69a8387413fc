// Settings file format: reading and writing the lines of Configuration.dat, and the value conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

using SettingsEntries = std::map<std::u16string, std::u16string>;

constexpr std::u16string_view LoadOnStartKey = u"LoadOnStart";
constexpr std::u16string_view AlwaysOnTopKey = u"AlwaysOnTop";
constexpr std::u16string_view DefaultLanguageIdKey = u"DefaultLanguageId";

// Characters a line may hold, not counting its line end; a longer line stops the reading.
constexpr size_t SettingsLineLimit = 1023;

// Entries of a file read as ISO 8859-1 lines of "key=value"; the first line of a key wins.
SettingsEntries ParseSettings(std::string_view bytes);

// The three lines the program writes, in fixed order, each ending with CR LF.
std::string FormatSettings(const SettingsEntries& entries);

// True when the value of `key` starts with "true".
bool SettingIsTrue(const SettingsEntries& entries, std::u16string_view key);

std::u16string IntToWide(int32_t value);

// Leading white space, an optional sign and the digits up to the first other character;
// 0 without digits, clamped to the int32_t range.
int32_t ReadSettingInteger(std::u16string_view text);
