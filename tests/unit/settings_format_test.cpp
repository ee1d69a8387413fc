// Reading and writing Configuration.dat lines and the value conversions, over tables of small files.
#include "settings/settings_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();

std::string BytesFrom(int first, int last)
{
    std::string bytes;
    for (int value = first; value <= last; ++value)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::u16string UnitsFrom(char16_t first, char16_t last)
{
    std::u16string units;
    for (char16_t unit = first; unit <= last; ++unit)
        units.push_back(unit);
    return units;
}

// A line of exactly `length` characters: "a=" and then x's.
std::string LineOfLength(size_t length)
{
    return "a=" + std::string(length - 2, 'x');
}

std::u16string ValueOfLineOfLength(size_t length)
{
    return std::u16string(length - 2, u'x');
}

struct ParseCase {
    const char* name;
    std::string bytes;
    SettingsEntries entries;
    bool loadOnStart;
    bool alwaysOnTop;
};

TEST(SettingsParsing, TableOfCases)
{
    const ParseCase cases[] = {
        {"empty input", "", {}, false, false},
        {"the written example", "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n",
         {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}}, true, false},
        {"bare line feeds read like CR LF", "LoadOnStart=true\nAlwaysOnTop=false\nDefaultLanguageId=1\n",
         {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}}, true, false},
        {"last line without line end", "LoadOnStart=false\r\nAlwaysOnTop=true",
         {{u"LoadOnStart", u"false"}, {u"AlwaysOnTop", u"true"}}, false, true},
        {"value starting with true", "AlwaysOnTop=trueish\r\n", {{u"AlwaysOnTop", u"trueish"}}, false, true},
        {"capitalised True is off", "AlwaysOnTop=True\r\n", {{u"AlwaysOnTop", u"True"}}, false, false},
        {"spaces around the equals sign stay in key and value", "AlwaysOnTop = true\r\n",
         {{u"AlwaysOnTop ", u" true"}}, false, false},
        {"first line of a repeated key wins", "DefaultLanguageId=1\r\nDefaultLanguageId=0\r\n",
         {{u"DefaultLanguageId", u"1"}}, false, false},
        {"value may hold equals signs", "a=b=c\r\n", {{u"a", u"b=c"}}, false, false},
        {"empty key", "=x\r\n", {{u"", u"x"}}, false, false},
        {"lone equals sign", "=\r\n", {{u"", u""}}, false, false},
        {"empty value", "a=\r\n", {{u"a", u""}}, false, false},
        {"line without equals sign takes the key with itself as value", "AlwaysOnTop\r\nAlwaysOnTop=true\r\n",
         {{u"AlwaysOnTop", u"AlwaysOnTop"}}, false, false},
        {"UTF-8 byte-order mark sticks to the first key",
         "\xEF\xBB\xBFLoadOnStart=true\r\nAlwaysOnTop=true\r\n",
         {{u"\u00EF\u00BB\u00BFLoadOnStart", u"true"}, {u"AlwaysOnTop", u"true"}}, false, true},
        {"empty lines give an empty entry", "\r\n\nLoadOnStart=true\r\n\r\n",
         {{u"", u""}, {u"LoadOnStart", u"true"}}, true, false},
        {"a lone line feed is one empty line", "\n", {{u"", u""}}, false, false},
        {"a lone CR stays in the text", "a=b\rc=d\r\n", {{u"a", u"b\rc=d"}}, false, false},
        {"a CR at the end of data without line feed stays", "a=b\r", {{u"a", u"b\r"}}, false, false},
        {"a CR alone is a line without equals sign", "\r", {{u"\r", u"\r"}}, false, false},
        {"only one CR before the line feed is dropped", "a=b\r\r\n", {{u"a", u"b\r"}}, false, false},
        {"zero bytes stay in the text", "a=b\0c\r\n"s, {{u"a", u"b\0c"s}}, false, false},
        {"bytes 0x80 to 0xFF are U+0080 to U+00FF", "k=" + BytesFrom(0x80, 0xFF) + "\r\n",
         {{u"k", UnitsFrom(0x80, 0xFF)}}, false, false},
        {"high bytes in a key", "\xE9t\xE9=\xFF\r\n", {{u"\u00E9t\u00E9", u"\u00FF"}}, false, false},
        {"a line of 1023 characters loads", LineOfLength(1023) + "\r\nLoadOnStart=true\r\n",
         {{u"a", ValueOfLineOfLength(1023)}, {u"LoadOnStart", u"true"}}, true, false},
        {"a last line of 1023 characters without line end loads", LineOfLength(1023),
         {{u"a", ValueOfLineOfLength(1023)}}, false, false},
        {"a line of 1024 characters stops the reading",
         "LoadOnStart=true\r\n" + LineOfLength(1024) + "\r\nAlwaysOnTop=true\r\n",
         {{u"LoadOnStart", u"true"}}, true, false},
        {"a line of 1024 characters with a bare line feed stops the reading",
         "LoadOnStart=true\n" + LineOfLength(1024) + "\nAlwaysOnTop=true\n", {{u"LoadOnStart", u"true"}}, true,
         false},
        {"a last line of 1024 characters without line end is not loaded",
         "LoadOnStart=true\r\n" + LineOfLength(1024), {{u"LoadOnStart", u"true"}}, true, false},
        {"an over-long first line loads nothing", LineOfLength(5000) + "\r\nAlwaysOnTop=true\r\n", {}, false,
         false},
        {"a CR counted in the line when no line feed follows it", LineOfLength(1023) + "\r", {}, false, false},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsEntries entries = ParseSettings(c.bytes);
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(SettingIsTrue(entries, LoadOnStartKey), c.loadOnStart);
        EXPECT_EQ(SettingIsTrue(entries, AlwaysOnTopKey), c.alwaysOnTop);
    }
}

struct FormatCase {
    const char* name;
    SettingsEntries entries;
    std::string bytes;
};

TEST(SettingsWriting, TableOfCases)
{
    const FormatCase cases[] = {
        {"the 58-byte example",
         {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}},
         "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n"},
        {"missing keys write empty values", {}, "LoadOnStart=\r\nAlwaysOnTop=\r\nDefaultLanguageId=\r\n"},
        {"other keys are left out", {{u"Other", u"x"}, {u"", u""}, {u"AlwaysOnTop", u"true"}},
         "LoadOnStart=\r\nAlwaysOnTop=true\r\nDefaultLanguageId=\r\n"},
        {"values are written as they are", {{u"LoadOnStart", u" True=1 "}, {u"DefaultLanguageId", u"-12"}},
         "LoadOnStart= True=1 \r\nAlwaysOnTop=\r\nDefaultLanguageId=-12\r\n"},
        {"U+0080 to U+00FF become single bytes", {{u"AlwaysOnTop", UnitsFrom(0x80, 0xFF)}},
         "LoadOnStart=\r\nAlwaysOnTop=" + BytesFrom(0x80, 0xFF) + "\r\nDefaultLanguageId=\r\n"},
        {"characters above U+00FF become question marks", {{u"LoadOnStart", u"a\u0100b\u20ACc\U0001F600d"}},
         "LoadOnStart=a?b?c?d\r\nAlwaysOnTop=\r\nDefaultLanguageId=\r\n"},
        {"lone surrogates become question marks", {{u"LoadOnStart", u"\xD800x\xDC00"}},
         "LoadOnStart=?x?\r\nAlwaysOnTop=\r\nDefaultLanguageId=\r\n"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatSettings(c.entries), c.bytes);
    }
}

TEST(SettingsWriting, ExampleIsFiftyEightBytes)
{
    const SettingsEntries entries = {
        {u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}};
    const std::string bytes = FormatSettings(entries);
    EXPECT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes, "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n");
}

TEST(SettingsRoundTrip, WrittenValuesReadBackAndOtherKeysVanish)
{
    const SettingsEntries cases[] = {
        {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}},
        {{u"LoadOnStart", u"false"}, {u"AlwaysOnTop", u"true"}, {u"DefaultLanguageId", u"-2147483648"},
         {u"Other", u"gone"}, {u"", u"also gone"}},
        {{u"AlwaysOnTop", u"a=b=c"}},
        {{u"LoadOnStart", UnitsFrom(0x80, 0xFF)}, {u"AlwaysOnTop", u" \t x \r"}},
        {},
    };
    for (const SettingsEntries& written : cases) {
        const std::string bytes = FormatSettings(written);
        SCOPED_TRACE(bytes);
        SettingsEntries expected;
        for (std::u16string_view key : {LoadOnStartKey, AlwaysOnTopKey, DefaultLanguageIdKey}) {
            const auto found = written.find(std::u16string(key));
            expected[std::u16string(key)] = found == written.end() ? u"" : found->second;
        }
        const SettingsEntries read = ParseSettings(bytes);
        EXPECT_EQ(read, expected);
        EXPECT_EQ(FormatSettings(read), bytes);
    }
}

struct TruthCase {
    const char* name;
    SettingsEntries entries;
    bool expected;
};

TEST(SettingTruth, TableOfCases)
{
    const TruthCase cases[] = {
        {"true", {{u"k", u"true"}}, true},
        {"true and a space", {{u"k", u"true "}}, true},
        {"true and a letter", {{u"k", u"trueX"}}, true},
        {"trueish", {{u"k", u"trueish"}}, true},
        {"true and a line break", {{u"k", u"true\r\n"}}, true},
        {"capital T", {{u"k", u"True"}}, false},
        {"capitals", {{u"k", u"TRUE"}}, false},
        {"leading space", {{u"k", u" true"}}, false},
        {"three letters", {{u"k", u"tru"}}, false},
        {"false", {{u"k", u"false"}}, false},
        {"1", {{u"k", u"1"}}, false},
        {"empty value", {{u"k", u""}}, false},
        {"zero byte inside", {{u"k", u"tr\0ue"s}}, false},
        {"missing key", {{u"other", u"true"}}, false},
        {"key differs in case", {{u"K", u"true"}}, false},
        {"empty map", {}, false},
    };
    for (const TruthCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SettingIsTrue(c.entries, u"k"), c.expected);
    }
}

TEST(IntegerText, IntToWideTable)
{
    const struct {
        int32_t value;
        std::u16string text;
    } cases[] = {
        {0, u"0"},
        {1, u"1"},
        {-1, u"-1"},
        {9, u"9"},
        {10, u"10"},
        {-10, u"-10"},
        {1000, u"1000"},
        {1234567890, u"1234567890"},
        {Int32Max, u"2147483647"},
        {Int32Min, u"-2147483648"},
        {Int32Min + 1, u"-2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(IntToWide(c.value), c.text);
    }
}

TEST(IntegerText, ReadSettingIntegerTable)
{
    const struct {
        const char* name;
        std::u16string text;
        int32_t value;
    } cases[] = {
        {"leading space and trailing letters", u" 12abc", 12},
        {"negative", u"-1", -1},
        {"plus sign", u"+7", 7},
        {"no digits", u"abc", 0},
        {"empty", u"", 0},
        {"sign without digits", u"  -", 0},
        {"too large", u"99999999999", Int32Max},
        {"tab", u"\t5", 5},
        {"every white space", u" \t\n\v\f\r42", 42},
        {"leading zeros", u"00012", 12},
        {"zero", u"0", 0},
        {"minus zero", u"-0", 0},
        {"largest", u"2147483647", Int32Max},
        {"one past largest", u"2147483648", Int32Max},
        {"smallest", u"-2147483648", Int32Min},
        {"one past smallest", u"-2147483649", Int32Min},
        {"too small", u"-99999999999", Int32Min},
        {"a thousand digits", std::u16string(1000, u'9'), Int32Max},
        {"a thousand digits negative", u"-" + std::u16string(1000, u'9'), Int32Min},
        {"many leading zeros", std::u16string(100, u'0') + u"1", 1},
        {"two signs", u"+-5", 0},
        {"space after sign", u"- 5", 0},
        {"stops at a space", u"1 2", 1},
        {"stops at a point", u"12.5", 12},
        {"hexadecimal is not read", u"0x1A", 0},
        {"no-break space is not white space", u"\u00A012", 0},
        {"full-width digits are not digits", u"\uFF11\uFF12", 0},
        {"zero unit stops the digits", u"1\0" u"2"s, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadSettingInteger(c.text), c.value);
    }
}

TEST(IntegerText, WrittenIntegersReadBack)
{
    const int32_t values[] = {0, 1, -1, 7, -42, 65535, 1000000, Int32Max, Int32Min, Int32Max - 1, Int32Min + 1};
    for (int32_t value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ReadSettingInteger(IntToWide(value)), value);
    }
}

}  // namespace
