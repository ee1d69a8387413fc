// Fuzz target: reading and writing the settings file and the value conversions, against plain references.
//
// What a written file gives back: the program only ever holds values it read from the file (one line,
// characters up to U+00FF) or wrote itself ("true", "false", a number), and those read back exactly.
// Any other value is written as it is, a character above U+00FF (a surrogate pair counting as one)
// as '?': without a line feed, and with its line within 1023 characters, it reads back as so written;
// a carriage return reads back too, since only one before the line feed is taken off. A line feed
// splits the value over two lines and a longer line stops the reading, so neither can read back;
// the keys written before such a value still do.
#include <array>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "settings/settings_format.h"

namespace {

constexpr std::array<std::u16string_view, 3> WrittenKeys = {LoadOnStartKey, AlwaysOnTopKey, DefaultLanguageIdKey};
// Separates the three values when the input is taken as UTF-16 text.
constexpr char16_t ValueSeparator = 0x001E;

std::u16string Widened(std::string_view bytes)
{
    std::u16string text;
    for (unsigned char byte : bytes)
        text.push_back(byte);
    return text;
}

// All the lines cut at line feeds; the piece after the last one is a line only when it is not empty.
SettingsEntries ReferenceParse(std::string_view bytes)
{
    std::vector<std::string> lines(1);
    for (char byte : bytes) {
        if (byte == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(byte);
    }
    const bool lastEnded = lines.back().empty();
    if (lastEnded)
        lines.pop_back();
    SettingsEntries entries;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        const bool ended = i + 1 < lines.size() || lastEnded;
        if (ended && !line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > SettingsLineLimit)
            break;
        const std::u16string wide = Widened(line);
        const size_t equals = wide.find(u'=');
        const std::u16string key = equals == std::u16string::npos ? wide : wide.substr(0, equals);
        const std::u16string value = equals == std::u16string::npos ? wide : wide.substr(equals + 1);
        if (!entries.count(key))
            entries[key] = value;
    }
    return entries;
}

// Code point by code point: those up to U+00FF are their byte, any other a '?'.
std::string Latin1Folded(std::u16string_view text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        if (pair)
            ++i;
        bytes.push_back(!pair && text[i] <= 0xFF ? static_cast<char>(text[i]) : '?');
    }
    return bytes;
}

std::u16string ValueOrEmpty(const SettingsEntries& entries, std::u16string_view key)
{
    const auto found = entries.find(std::u16string(key));
    return found == entries.end() ? std::u16string() : found->second;
}

std::string ReferenceFormat(const SettingsEntries& entries)
{
    std::string bytes;
    for (std::u16string_view key : WrittenKeys)
        bytes += Latin1Folded(key) + "=" + Latin1Folded(ValueOrEmpty(entries, key)) + "\r\n";
    return bytes;
}

bool ReferenceIsTrue(const SettingsEntries& entries, std::u16string_view key)
{
    const auto found = entries.find(std::u16string(key));
    return found != entries.end() && found->second.substr(0, 4) == u"true";
}

void CheckTruth(const SettingsEntries& entries, std::u16string_view key)
{
    CheckThat(SettingIsTrue(entries, key) == ReferenceIsTrue(entries, key),
              "SettingIsTrue differs from 'the value starts with true'");
}

void CheckEntries(const SettingsEntries& seen, const SettingsEntries& expected, const char* what)
{
    if (seen == expected)
        return;
    std::fprintf(stderr, "%zu entries, expected %zu\n", seen.size(), expected.size());
    for (const auto& [key, value] : seen) {
        PrintUnits("seen key", key);
        PrintUnits("seen value", value);
    }
    for (const auto& [key, value] : expected) {
        PrintUnits("expected key", key);
        PrintUnits("expected value", value);
    }
    FailCheck(what);
}

// A map the program may hold, since it was read from a file: it is written and read back exactly.
void CheckReadMapRoundTrip(const SettingsEntries& read)
{
    const std::string written = FormatSettings(read);
    CheckThat(written == ReferenceFormat(read), "FormatSettings differs from the three key=value lines");
    SettingsEntries expected;
    for (std::u16string_view key : WrittenKeys)
        expected[std::u16string(key)] = ValueOrEmpty(read, key);
    const SettingsEntries reread = ParseSettings(written);
    CheckEntries(reread, expected, "a read map written and read again lost or changed a value");
    CheckThat(FormatSettings(reread) == written, "writing the read-back map gives other bytes");
}

// Any three values: the written bytes are the reference lines; each key reads back as written
// until the first value that cannot (see the top of the file).
void CheckAnyMapRoundTrip(const std::u16string& units)
{
    SettingsEntries entries;
    size_t start = 0;
    for (std::u16string_view key : WrittenKeys) {
        if (start > units.size())
            break;
        const size_t end = std::min(units.find(ValueSeparator, start), units.size());
        entries[std::u16string(key)] = units.substr(start, end - start);
        start = end + 1;
    }
    const std::string written = FormatSettings(entries);
    CheckThat(written == ReferenceFormat(entries), "FormatSettings differs from the three key=value lines");
    const SettingsEntries reread = ParseSettings(written);
    for (std::u16string_view key : WrittenKeys) {
        const std::string line = Latin1Folded(key) + "=" + Latin1Folded(ValueOrEmpty(entries, key));
        if (line.find('\n') != std::string::npos || line.size() > SettingsLineLimit)
            break;
        CheckSameUnits(ValueOrEmpty(reread, key), Widened(Latin1Folded(ValueOrEmpty(entries, key))),
                       "a writable value does not read back as written");
        CheckThat(reread.count(std::u16string(key)) == 1, "a written key is missing when read back");
    }
}

int32_t ReferenceInteger(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    while (i < text.size() && text[i] == u'0')
        ++i;
    std::u16string digits;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
        digits.push_back(text[i++]);
    if (digits.size() > 10)
        return negative ? INT32_MIN : INT32_MAX;
    int64_t value = 0;
    for (char16_t digit : digits)
        value = value * 10 + (digit - u'0');
    if (negative)
        value = -value;
    return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

std::u16string ReferenceIntText(int32_t value)
{
    return Widened(std::to_string(value));
}

void CheckIntegerText(std::u16string_view text)
{
    const int32_t seen = ReadSettingInteger(text);
    if (seen != ReferenceInteger(text)) {
        std::fprintf(stderr, "ReadSettingInteger gave %d, expected %d\n", seen, ReferenceInteger(text));
        PrintUnits("text", text);
        FailCheck("ReadSettingInteger differs from the reference");
    }
}

void CheckIntegerRoundTrip(int32_t value)
{
    const std::u16string text = IntToWide(value);
    CheckSameUnits(text, ReferenceIntText(value), "IntToWide differs from std::to_string");
    CheckThat(ReadSettingInteger(text) == value, "ReadSettingInteger does not read back IntToWide");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsEntries read = ParseSettings(bytes);
    CheckEntries(read, ReferenceParse(bytes), "ParseSettings differs from the reference");
    for (std::u16string_view key : WrittenKeys)
        CheckTruth(read, key);
    if (!read.empty())
        CheckTruth(read, read.begin()->first);
    CheckReadMapRoundTrip(read);
    CheckIntegerText(ValueOrEmpty(read, DefaultLanguageIdKey));

    UnitReader reader(data, size);
    const std::u16string units = reader.TakeUnits(reader.UnitsLeft());
    CheckAnyMapRoundTrip(units);
    CheckIntegerText(units);
    if (size >= 4)
        CheckIntegerRoundTrip(static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24));
    return 0;
}
