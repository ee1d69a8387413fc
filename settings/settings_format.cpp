// Settings file format: line reading, entry splitting, the written lines and the value conversions.
#include "settings/settings_format.h"

#include <limits>

namespace {

constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

std::u16string WidenLatin1(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
    return text;
}

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// ISO 8859-1 has no byte for a character above U+00FF; such a character (a surrogate pair
// counting as one) is written as '?' rather than dropped, so the line keeps its shape.
void AppendLatin1(std::string& bytes, std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit <= 0xFF) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        bytes.push_back('?');
    }
}

void AddSettingsLine(SettingsEntries& entries, std::u16string line)
{
    const size_t equals = line.find(u'=');
    if (equals == std::u16string::npos) {
        std::u16string key = line;
        entries.try_emplace(std::move(key), std::move(line));
        return;
    }
    entries.try_emplace(line.substr(0, equals), line.substr(equals + 1));
}

bool IsSettingSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\v' || unit == u'\f' || unit == u'\r';
}

}  // namespace

SettingsEntries ParseSettings(std::string_view bytes)
{
    SettingsEntries entries;
    size_t position = 0;
    while (position < bytes.size()) {
        const size_t lineFeed = bytes.find(LineFeed, position);
        const bool ended = lineFeed != std::string_view::npos;
        std::string_view line = bytes.substr(position, ended ? lineFeed - position : std::string_view::npos);
        if (ended && !line.empty() && line.back() == CarriageReturn)
            line.remove_suffix(1);
        // An over-long line ends the reading: neither it nor any later line is loaded.
        if (line.size() > SettingsLineLimit)
            break;
        AddSettingsLine(entries, WidenLatin1(line));
        position = ended ? lineFeed + 1 : bytes.size();
    }
    return entries;
}

std::string FormatSettings(const SettingsEntries& entries)
{
    std::string bytes;
    for (std::u16string_view key : {LoadOnStartKey, AlwaysOnTopKey, DefaultLanguageIdKey}) {
        AppendLatin1(bytes, key);
        bytes.push_back('=');
        const auto found = entries.find(std::u16string(key));
        if (found != entries.end())
            AppendLatin1(bytes, found->second);
        bytes += "\r\n";
    }
    return bytes;
}

bool SettingIsTrue(const SettingsEntries& entries, std::u16string_view key)
{
    const auto found = entries.find(std::u16string(key));
    return found != entries.end() && found->second.starts_with(u"true");
}

std::u16string IntToWide(int32_t value)
{
    // The magnitude goes through 64 bits, since negating INT32_MIN overflows int32_t.
    int64_t magnitude = value;
    const bool negative = magnitude < 0;
    if (negative)
        magnitude = -magnitude;
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits.insert(digits.begin(), u'-');
    return digits;
}

int32_t ReadSettingInteger(std::u16string_view text)
{
    size_t position = 0;
    while (position < text.size() && IsSettingSpace(text[position]))
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) {
        negative = text[position] == u'-';
        ++position;
    }
    // Out-of-range values clamp to INT32_MIN or INT32_MAX instead of overflowing; the magnitude
    // stops growing once past the limit, so any number of digits stays in 64 bits.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    while (position < text.size() && text[position] >= u'0' && text[position] <= u'9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[position] - u'0');
        ++position;
    }
    if (magnitude > limit)
        magnitude = limit;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
