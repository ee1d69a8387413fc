// Reading dictd sources: index numbers and lines, entries and their first lines, and decompressing the data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/compiler_test_files.h"
#include "tools/article_compiler/dictd_source.h"

namespace {

TEST(DictdNumbers, DecodeTableOfCases)
{
    const struct {
        const char* digits;
        bool valid;
        uint64_t value;
    } cases[] = {
        {"A", true, 0},
        {"B", true, 1},
        {"Z", true, 25},
        {"a", true, 26},
        {"0", true, 52},
        {"+", true, 62},
        {"/", true, 63},
        {"BA", true, 64},
        {"c", true, 28},
        {"Yc", true, 1564},
        {"C6f", true, 11935},
        {"AAAAAAAAAAAAAAAAB", true, 1},
        {"//////////", true, (uint64_t{1} << 60) - 1},
        {"P//////////", true, UINT64_MAX},
        {"QAAAAAAAAAA", false, 0},
        {"", false, 0},
        {"A=", false, 0},
        {"-1", false, 0},
        {"A B", false, 0},
        {"\xC3\x80", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("digits \"") + c.digits + "\"");
        uint64_t value = 12345;
        EXPECT_EQ(DecodeDictdNumber(c.digits, value), c.valid);
        EXPECT_EQ(value, c.valid ? c.value : 12345u) << "a failed decoding must leave the value alone";
    }
}

TEST(DictdNumbers, EncodedValuesDecodeBack)
{
    for (uint64_t value : {uint64_t{0}, uint64_t{63}, uint64_t{64}, uint64_t{4095}, uint64_t{4096}, uint64_t{123456789},
                           uint64_t{1} << 40, UINT64_MAX - 1, UINT64_MAX}) {
        SCOPED_TRACE(std::to_string(value));
        uint64_t decoded = 0;
        EXPECT_TRUE(DecodeDictdNumber(EncodeDictdNumber(value), decoded));
        EXPECT_EQ(decoded, value);
    }
}

TEST(DictdIndex, LinesAndTheirFaults)
{
    const struct {
        const char* name;
        std::string text;
        std::vector<DictdIndexLine> lines;
        std::string error;
    } cases[] = {
        {"plain lines", "a\tA\tB\nb c\tB\tBA\n", {{"a", 0, 1, 1}, {"b c", 1, 64, 2}}, ""},
        {"empty key, CR LF, blank lines and no final line end", "\r\n\tc\tYc\r\n\n00databaseutf8\tA\tB",
         {{"", 28, 1564, 2}, {"00databaseutf8", 0, 1, 4}}, ""},
        {"fourth field with the original headword", "a\tA\tB\tA\n", {{"a", 0, 1, 1}}, ""},
        {"empty index", "", {}, ""},
        {"one field", "a\tA\tB\nlonely\n", {},
         "x.index:2: expected key, offset and length separated by tabs, found 1 field"},
        {"five fields", "a\tA\tB\tC\tD\n", {},
         "x.index:1: expected key, offset and length separated by tabs, found 5 fields"},
        {"offset with a bad digit", "a\tA.\tB\n", {}, "x.index:1: offset \"A.\" is not a dictd base64 number"},
        {"empty length", "a\tA\t\n", {}, "x.index:1: length \"\" is not a dictd base64 number"},
        {"space before the length", "a\tA\t B\n", {}, "x.index:1: length \" B\" is not a dictd base64 number"},
        {"key not UTF-8", "ok\tA\tB\n\xFF\tA\tB\n", {}, "x.index:2: invalid UTF-8 in the key at column 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const std::vector<DictdIndexLine> lines = ParseDictdIndex(c.text, "x.index");
            EXPECT_TRUE(c.error.empty()) << "expected the error " << c.error;
            ASSERT_EQ(lines.size(), c.lines.size());
            for (size_t i = 0; i < lines.size(); ++i) {
                EXPECT_EQ(lines[i].key, c.lines[i].key);
                EXPECT_EQ(lines[i].offset, c.lines[i].offset);
                EXPECT_EQ(lines[i].length, c.lines[i].length);
                EXPECT_EQ(lines[i].lineNumber, c.lines[i].lineNumber);
            }
        } catch (const CompileError& error) {
            EXPECT_EQ(std::string(error.what()), c.error);
        }
    }
}

TEST(DictdEntries, FirstLineGivesHeadwordPronunciationAndNotes)
{
    const struct {
        const char* name;
        std::u16string line;
        std::u16string headword;
        std::u16string pronunciation;
        std::u16string notes;
    } cases[] = {
        {"word and pronunciation", u"house /h\u02C8a\u028As/", u"house", u"/h\u02C8a\u028As/", u""},
        {"pronunciation with blanks", u"Aix-la-Chapelle /\u02C8e\u026Aks l\u02CCa/", u"Aix-la-Chapelle",
         u"/\u02C8e\u026Aks l\u02CCa/", u""},
        {"part of speech after the pronunciation", u"well /w\u02C8\u025Bl/ <v>", u"well", u"/w\u02C8\u025Bl/", u"<v>"},
        {"forms after the pronunciation", u"give /\u0261\u02C8\u026Av/ (gave /\u0261\u02C8e\u026Av/ <>) <v>", u"give",
         u"/\u0261\u02C8\u026Av/", u"(gave /\u0261\u02C8e\u026Av/ <>) <v>"},
        {"abbreviation after the pronunciation", u"smily /sm\u02C8a\u026Ali/ (:-))", u"smily", u"/sm\u02C8a\u026Ali/",
         u"(:-))"},
        {"alternatives with spaced slashes", u"answer / reply / respond /\u02C8ans\u0259 \u0279\u026Apl\u02C8a\u026A/",
         u"answer / reply / respond", u"/\u02C8ans\u0259 \u0279\u026Apl\u02C8a\u026A/", u""},
        {"slash inside a word", u"become/get tangled /b\u026Ak\u02CC\u028Cm/", u"become/get tangled",
         u"/b\u026Ak\u02CC\u028Cm/", u""},
        {"no pronunciation", u"...", u"...", u"", u""},
        {"blanks around the parts", u"  house /h/  <n> \r", u"house", u"/h/", u"<n>"},
        {"a slash without a closing one", u"km /h", u"km /h", u"", u""},
        {"closing slash not at a word end", u"a /b/c", u"a /b/c", u"", u""},
        {"closing slash after a blank", u"a /b /", u"a /b /", u"", u""},
        {"empty slashes", u"a //", u"a //", u"", u""},
        {"a lone slash", u"a /", u"a /", u"", u""},
        {"pronunciation of one letter", u"A /e/", u"A", u"/e/", u""},
        {"pronunciation only", u"/\u02C8\u0254\u02D0l/", u"/\u02C8\u0254\u02D0l/", u"", u""},
        {"empty line", u"", u"", u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DictdFirstLine split = SplitDictdFirstLine(c.line);
        EXPECT_EQ(split.headword, c.headword) << "seen " << Printable(split.headword);
        EXPECT_EQ(split.pronunciation, c.pronunciation) << "seen " << Printable(split.pronunciation);
        EXPECT_EQ(split.notes, c.notes) << "seen " << Printable(split.notes);
    }
}

TEST(DictdEntries, LinesAreTrimmedAndEmptyOnesDropped)
{
    const struct {
        const char* name;
        std::u16string text;
        std::u16string headword;
        std::u16string pronunciation;
        std::vector<std::u16string> lines;
    } cases[] = {
        {"word, pronunciation and a sense", u"house /h/\ncasa\n", u"house", u"/h/", {u"casa"}},
        {"indented notes and blank lines",
         u"A /e/\nA <neut> [mus.]\n   Synonyms: {A sharp}\n\n see: {A major}\n\n         Note: of a \"x\"\n",
         u"A", u"/e/", {u"A <neut> [mus.]", u"Synonyms: {A sharp}", u"see: {A major}", u"Note: of a \"x\""}},
        {"CR LF line ends and tabs", u"x\r\n\tone\t\r\n \r\ntwo", u"x", u"", {u"one", u"two"}},
        {"headword only", u"x /p/", u"x", u"/p/", {}},
        {"notes of the first line come first", u"x /p/ <v>\nsense\n", u"x", u"/p/", {u"<v>", u"sense"}},
        {"empty entry", u"", u"", u"", {}},
        {"blank first line gives an empty headword", u"\nsense\n", u"", u"", {u"sense"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SourceEntry entry = ParseDictdEntry(c.text, "db.index:7");
        EXPECT_EQ(entry.headword, c.headword);
        EXPECT_EQ(entry.pronunciation, c.pronunciation);
        EXPECT_EQ(entry.lines, c.lines) << "seen " << Printable(entry.lines);
        EXPECT_EQ(entry.place, "db.index:7");
    }
}

TEST(DictdEntries, DatabaseKeysAreNoHeadwords)
{
    const struct {
        const char* key;
        bool database;
    } cases[] = {
        {"00databaseinfo", true}, {"00databaseshort", true}, {"00-database-info", true}, {"00-database-url", true},
        {"00 gauge", false},      {"00database", true},      {"00datab", false},         {"database", false},
        {"", false},              {"0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(IsDictdDatabaseKey(c.key), c.database);
    }
}

// Text that does not compress to nothing and spans more than one output chunk of the decompressor.
std::string LargeText()
{
    std::string text;
    uint32_t state = 12345;
    while (text.size() < 3 * 1024 * 1024) {
        state = state * 1103515245 + 12345;
        text += "line " + std::to_string(state % 100000) + " " + std::string(state % 7, 'x') + "\n";
    }
    return text;
}

TEST(DictdData, DecompressesWhatWasCompressed)
{
    const std::string large = LargeText();
    const struct {
        const char* name;
        std::string compressed;
        std::string data;
    } cases[] = {
        {"gzip", GzipBytes("house /h/\ncasa\n"), "house /h/\ncasa\n"},
        {"dictzip header", DictzipBytes("house /h/\ncasa\n"), "house /h/\ncasa\n"},
        {"empty data", GzipBytes(""), ""},
        {"several megabytes", DictzipBytes(large), large},
        {"two members one after another", GzipBytes("first\n") + DictzipBytes("second\n"), "first\nsecond\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string data = InflateDictData(c.compressed, "db.dict.dz");
        EXPECT_EQ(data.size(), c.data.size());
        EXPECT_TRUE(data == c.data);
    }
}

TEST(DictdData, EveryCutOfTheStreamIsReportedAsEndingEarly)
{
    const std::string compressed = DictzipBytes("house /h/\ncasa\nchiesa\n");
    for (size_t length = 0; length < compressed.size(); ++length) {
        SCOPED_TRACE("first " + std::to_string(length) + " bytes");
        try {
            InflateDictData(compressed.substr(0, length), "db.dict.dz");
            ADD_FAILURE() << "a cut stream was read without an error";
        } catch (const CompileError& error) {
            const std::string expected = "db.dict.dz: byte " + std::to_string(length) + ": the compressed data ends early";
            EXPECT_EQ(std::string(error.what()), expected);
        }
    }
}

TEST(DictdData, EveryChangedByteIsCaughtOrHarmless)
{
    // The gzip trailer's check sum catches any change to the data; header bytes like the time may change freely.
    const std::string original = "house /h/\ncasa\nchiesa\n";
    const std::string compressed = DictzipBytes(original);
    size_t caught = 0;
    for (size_t position = 0; position < compressed.size(); ++position) {
        SCOPED_TRACE("byte " + std::to_string(position));
        std::string changed = compressed;
        changed[position] = static_cast<char>(changed[position] ^ 0x21);
        try {
            EXPECT_EQ(InflateDictData(changed, "db.dict.dz"), original);
        } catch (const CompileError& error) {
            ++caught;
            EXPECT_EQ(std::string(error.what()).rfind("db.dict.dz: byte ", 0), 0u) << error.what();
        }
    }
    EXPECT_GT(caught, compressed.size() / 2);
}

}  // namespace
