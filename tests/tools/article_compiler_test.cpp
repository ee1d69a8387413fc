// The compiler end to end: TSV and dictd sources compiled and read back through the core's scans, and bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/article_text.h"
#include "tests/tools/compiler_test_files.h"
#include "tools/article_compiler/article_writer.h"
#include "tools/article_compiler/compiler_command.h"

using namespace std::string_literals;

namespace {

struct LibraryRun {
    int exitCode;
    std::string out;
    std::string err;
};

LibraryRun RunLibrary(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = RunArticleCompiler(arguments, out, err);
    return {exitCode, out.str(), err.str()};
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Line 10 holds bars, 11 a headword of 200 units, 12 no headword, 13 zero units.
const std::string WordsTsv = "zebra\tzebra\n"
                             "apple\tmela\n"
                             "Apple\tApple Inc.\\nazienda\r\n"
                             "\n"
                             "banana\tbanana\\n\\nfrutto\n"
                             "house\tcasa\n"
                             "\u00E9clair\t\u00E9clair (dolce)\n"
                             "Eclair\tlampo\n"
                             "house\tchiesa\\ncasa\n"
                             "a|b\tsbarra|barra\n"s +
                             std::string(200, 'h') + "\tlost\n"s +
                             "\tno headword\n"
                             "ze\0ro\tnu\0ll\n"
                             "Z\u00FCrich\tZurigo\n"
                             "zulu\t\n"
                             "\U0001F600\tfaccina\n"
                             "r\u00E9sum\u00E9\tcurriculum\tvitae\n"s;

TEST(TsvCompilation, RoundTripThroughTheCoreScans)
{
    ScratchFolder folder;
    folder.Write("words.tsv", WordsTsv);
    const std::string output = folder.PathOf("words.dat");
    const LibraryRun run = RunLibrary({"--tsv", folder.PathOf("words.tsv"), output});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<ShownRecord> expected = {
        {u"Apple", u"Apple Inc.\r\nazienda\r\n"},
        {u"apple", u"mela\r\n"},
        {u"a\u00A6b", u"sbarra\u00A6barra\r\n"},
        {u"banana", u"banana\r\n\r\nfrutto\r\n"},
        {u"Eclair", u"lampo\r\n"},
        {u"house", u"casa\r\nchiesa\r\n"},
        {u"r\u00E9sum\u00E9", u"curriculum\tvitae\r\n"},
        {u"zebra", u"zebra\r\n"},
        {u"zero", u"null\r\n"},
        {u"zulu", u"\r\n"},
        {u"Z\u00FCrich", u"Zurigo\r\n"},
        {u"\u00E9clair", u"\u00E9clair (dolce)\r\n"},
        {u"\U0001F600", u"faccina\r\n"},
    };
    const std::vector<ShownRecord> shown = ReadShownRecords(output);
    EXPECT_EQ(shown, expected) << "expected:" << Printable(expected) << "\nseen:" << Printable(shown);

    const struct {
        const char* name;
        std::string fragment;
    } reports[] = {
        {"bar", "'|' replaced by U+00A6 (broken bar): 1\n    " + folder.PathOf("words.tsv") + ":10: \"a\u00A6b\""},
        {"zero", "U+0000 dropped: 1\n    " + folder.PathOf("words.tsv") + ":13: \"zero\""},
        {"long headword", "headword over 199 UTF-16 units, entry left out: 1\n    " + folder.PathOf("words.tsv") + ":11:"},
        {"empty headword", "empty headword, entry left out: 1\n    " + folder.PathOf("words.tsv") + ":12: \"\""},
        {"summary", "13 records from 16 entries (repeated headwords merged: 1)"},
    };
    for (const auto& report : reports) {
        SCOPED_TRACE(report.name);
        EXPECT_TRUE(Contains(run.err, report.fragment))
            << "expected in stderr: " << report.fragment << "\nseen:\n" << run.err;
    }
    EXPECT_FALSE(Contains(run.err, "cut")) << run.err;
    EXPECT_FALSE(FileExists(PartialPathOf(output)));

    const LibraryRun check = RunLibrary({"--check", output});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_TRUE(Contains(check.out, "records: 13\n")) << check.out;
}

TEST(TsvCompilation, WordListShowsWhatATypedPrefixFinds)
{
    ScratchFolder folder;
    folder.Write("words.tsv", WordsTsv);
    const std::string output = folder.PathOf("words.dat");
    ASSERT_EQ(RunLibrary({"--tsv", folder.PathOf("words.tsv"), output}).exitCode, 0);
    const struct {
        const char* name;
        std::u16string typed;
        std::vector<std::u16string> listed;
    } cases[] = {
        {"capital first of a case pair", u"App", {u"Apple", u"apple", u"a\u00A6b", u"banana", u"Eclair", u"house",
                                                  u"r\u00E9sum\u00E9", u"zebra", u"zero", u"zulu", u"Z\u00FCrich",
                                                  u"\u00E9clair", u"\U0001F600"}},
        {"small letters find the small headword", u"app", {u"apple", u"a\u00A6b", u"banana", u"Eclair", u"house",
                                                          u"r\u00E9sum\u00E9", u"zebra", u"zero", u"zulu",
                                                          u"Z\u00FCrich", u"\u00E9clair", u"\U0001F600"}},
        {"replaced bar is typed as the broken bar", u"a\u00A6", {u"a\u00A6b", u"banana", u"Eclair", u"house",
                                                                  u"r\u00E9sum\u00E9", u"zebra", u"zero", u"zulu",
                                                                  u"Z\u00FCrich", u"\u00E9clair", u"\U0001F600"}},
        {"typed bar finds nothing", u"a|", {}},
        {"last record alone", u"\U0001F600", {u"\U0001F600"}},
        {"left-out headword is not there", u"hhh", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::u16string> listed = ListedFor(output, c.typed);
        EXPECT_EQ(listed, c.listed) << "expected " << Printable(c.listed) << "\nseen " << Printable(listed);
    }
}

// Headwords built in dictionary order: for each pair of letters the capitalised word, then the small one.
std::vector<std::u16string> HeadwordsInOrder()
{
    std::vector<std::u16string> words;
    for (char16_t first = u'a'; first <= u'z'; ++first) {
        for (char16_t second = u'a'; second <= u'z'; second += 5) {
            const std::u16string small = {first, second, u'x'};
            const std::u16string capital = {static_cast<char16_t>(first - 0x20), second, u'x'};
            words.push_back(capital);
            words.push_back(small);
        }
    }
    return words;
}

TEST(TsvCompilation, ShuffledSourceComesOutInDictionaryOrderOverManyPages)
{
    const std::vector<std::u16string> ordered = HeadwordsInOrder();
    std::vector<size_t> shuffled(ordered.size());
    for (size_t i = 0; i < shuffled.size(); ++i)
        shuffled[i] = i;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(20240511));
    std::string tsv;
    for (size_t index : shuffled) {
        const std::string word(ordered[index].begin(), ordered[index].end());
        tsv += word + "\tfirst line of " + word + "\\nsecond line\n";
    }
    ScratchFolder folder;
    folder.Write("many.tsv", tsv);
    const std::string output = folder.PathOf("many.dat");
    ASSERT_EQ(RunLibrary({"--tsv", folder.PathOf("many.tsv"), output}).exitCode, 0);

    std::vector<ShownRecord> expected;
    for (const std::u16string& word : ordered)
        expected.push_back({word, u"first line of " + word + u"\r\nsecond line\r\n"});
    const std::vector<ShownRecord> shown = ReadShownRecords(output);
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        EXPECT_EQ(shown[i], expected[i]) << "expected " << Printable(expected[i].headword) << " seen "
                                         << Printable(shown[i].headword);
    }
}

const std::vector<DictdFixtureEntry> DictdEntries = {
    {"00databaseinfo", "Test dictionary\nAvailable under the terms of the licence below.\n"},
    {"00databaseshort", "Test Dictionary ver. 1\n"},
    {"00-database-url", "http://example.org/\n"},
    {"house", "house /h\u02C8a\u028As/\ncasa\n"},
    {"read", "read /\u0279\u02C8i\u02D0d/\nleggere\n"},
    {"all", "All /\u02C8\u0254\u02D0l/\nOgnissanti\n"},
    {"house", "house /h\u02C8a\u028As/\nchiesa\n"},
    {"all", "All /\u02C8\u0254\u02D0l/\nOgnissanti\nil giorno dei Morti\n"},
    {"read", "read /\u0279\u02C8\u025Bd/\nletto\n"},
    {"well", "well /w\u02C8\u025Bl/ <v>\nquellen <v, intr>\n   Synonyms: {spring}\n\n see: {wells}\n\n"},
    {"00 gauge", "00 gauge /z\u02C8i\u0259\u0279\u0259\u028A \u0261\u02C8e\u026Ad\u0292/\nSpur 00\n"},
    {"", "...\nellissi\n"},
    {"a b", "a / b /\u0250 bi\u02D0/\nuna barra|due\n"},
    {"well", "well /w\u02C8\u025Bl/\ngut <adv>\n see: {wells}\n"},
};

const std::vector<ShownRecord> DictdExpected = {
    {u"...", u"ellissi\r\n"},
    {u"00 gauge", u"/z\u02C8i\u0259\u0279\u0259\u028A \u0261\u02C8e\u026Ad\u0292/\r\nSpur 00\r\n"},
    {u"a / b", u"/\u0250 bi\u02D0/\r\nuna barra\u00A6due\r\n"},
    {u"All", u"/\u02C8\u0254\u02D0l/\r\nOgnissanti\r\nil giorno dei Morti\r\n"},
    {u"house", u"/h\u02C8a\u028As/\r\ncasa\r\nchiesa\r\n"},
    {u"read", u"/\u0279\u02C8i\u02D0d/\r\n/\u0279\u02C8\u025Bd/\r\nleggere\r\nletto\r\n"},
    {u"well", u"/w\u02C8\u025Bl/\r\n<v>\r\nquellen <v, intr>\r\nSynonyms: {spring}\r\nsee: {wells}\r\ngut <adv>\r\n"},
};

TEST(DictdCompilation, PlainAndCompressedDataGiveTheSameRecords)
{
    const DictdFixture fixture = MakeDictdFixture(DictdEntries);
    const struct {
        const char* name;
        const char* dataName;
        std::string data;
    } cases[] = {
        {"plain .dict", "db.dict", fixture.data},
        {"gzip .dict.dz", "db.dict.dz", GzipBytes(fixture.data)},
        {"dictzip .dict.dz with its extra field", "db.dict.dz", DictzipBytes(fixture.data)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        folder.Write("db.index", fixture.index);
        folder.Write(c.dataName, c.data);
        const std::string output = folder.PathOf("db.dat");
        const LibraryRun run = RunLibrary({"--dictd", folder.PathOf("db"), output});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<ShownRecord> shown = ReadShownRecords(output);
        EXPECT_EQ(shown, DictdExpected) << "expected:" << Printable(DictdExpected) << "\nseen:" << Printable(shown);
        EXPECT_TRUE(Contains(run.err, "7 records from 11 entries (repeated headwords merged: 4)")) << run.err;
        EXPECT_TRUE(Contains(run.err, "'|' replaced by U+00A6 (broken bar): 1\n    " + folder.PathOf("db.index") +
                                          ":13: \"a / b\""))
            << run.err;
        EXPECT_EQ(RunLibrary({"--check", output}).exitCode, 0);
    }
}

TEST(DictdCompilation, CompressedDataIsPreferredOverPlain)
{
    const DictdFixture fixture = MakeDictdFixture(DictdEntries);
    ScratchFolder folder;
    folder.Write("db.index", fixture.index);
    folder.Write("db.dict.dz", GzipBytes(fixture.data));
    folder.Write("db.dict", std::string(fixture.data.size(), '\xFF'));
    const std::string output = folder.PathOf("db.dat");
    const LibraryRun run = RunLibrary({"--dictd", folder.PathOf("db"), output});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadShownRecords(output), DictdExpected);
}

TEST(DictdCompilation, KeysSharingOneEntryGiveOneRecord)
{
    // An abbreviation's key points at the entry of the full word, as FreeDict's eng-deu does.
    std::string data = "stirred tank reactor /st\u02C8\u025C\u02D0d/ (STR /\u02CC\u025Bst/)\nR\u00FChrkessel\n";
    const std::string stretch = "\t" + EncodeDictdNumber(0) + "\t" + EncodeDictdNumber(data.size()) + "\n";
    ScratchFolder folder;
    folder.Write("db.index", "str" + stretch + "stirred tank reactor" + stretch);
    folder.Write("db.dict", data);
    const std::string output = folder.PathOf("db.dat");
    const LibraryRun run = RunLibrary({"--dictd", folder.PathOf("db"), output});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<ShownRecord> expected = {
        {u"stirred tank reactor", u"/st\u02C8\u025C\u02D0d/\r\n(STR /\u02CC\u025Bst/)\r\nR\u00FChrkessel\r\n"}};
    EXPECT_EQ(ReadShownRecords(output), expected);
    EXPECT_TRUE(Contains(run.err, "1 records from 1 entries (repeated headwords merged: 0)")) << run.err;
}

TEST(DictdLicence, PrintsTheDatabaseInfoEntry)
{
    const struct {
        const char* name;
        std::vector<DictdFixtureEntry> entries;
        std::string printed;
    } cases[] = {
        {"info under its dictfmt key", DictdEntries, "Test dictionary\nAvailable under the terms of the licence below.\n"},
        {"info under the long key, starting with its own name",
         {{"word", "word\nparola\n"}, {"00-database-info", "00-database-info\nLicence: GPL\n"}}, "Licence: GPL\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DictdFixture fixture = MakeDictdFixture(c.entries);
        ScratchFolder folder;
        folder.Write("db.index", fixture.index);
        folder.Write("db.dict.dz", DictzipBytes(fixture.data));
        const LibraryRun run = RunLibrary({"--licence", folder.PathOf("db")});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.printed);
    }
}

std::string ReplaceFolder(const std::string& argument, const ScratchFolder& folder)
{
    const std::string mark = "{dir}/";
    const size_t at = argument.find(mark);
    return at == std::string::npos ? argument : argument.substr(0, at) + folder.PathOf(argument.substr(at + mark.size()));
}

std::string FlipByte(std::string bytes, size_t position)
{
    bytes[position] = static_cast<char>(bytes[position] ^ 0x55);
    return bytes;
}

struct BadInputCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> arguments;
    int exitCode;
    std::vector<std::string> messageParts;
};

std::vector<BadInputCase> BadInputCases()
{
    const std::string goodIndex = "word\tA\tQ\n";
    const std::string goodData = "word /w/\nparola\n";
    const std::string gzip = GzipBytes(goodData);
    const std::string bigGzip = DictzipBytes(std::string(5000, 'x'));
    const std::vector<std::string> dictd = {"--dictd", "{dir}/db", "{dir}/out.dat"};
    const std::vector<std::string> tsv = {"--tsv", "{dir}/words.tsv", "{dir}/out.dat"};
    return {
        {"TSV file missing", {}, tsv, 1, {"cannot read ", "words.tsv: No such file or directory"}},
        {"TSV path is a folder", {}, {"--tsv", "{dir}/", "{dir}/out.dat"}, 1, {"cannot read ", "Is a directory"}},
        {"TSV line without tab", {{"words.tsv", "a\tb\nno tab here\n"}}, tsv, 1, {"words.tsv:2: no tab"}},
        {"TSV invalid UTF-8 byte", {{"words.tsv", "a\tb\n\nc\td\xFF\n"}}, tsv, 1,
         {"words.tsv:3: invalid UTF-8 at column 4"}},
        {"TSV UTF-8 cut short at the end", {{"words.tsv", "a\tb\xC3"}}, tsv, 1, {"words.tsv:1: invalid UTF-8 at column 4"}},
        {"TSV overlong UTF-8 in headword", {{"words.tsv", "\xC0\xAF\tx\n"}}, tsv, 1,
         {"words.tsv:1: invalid UTF-8 at column 1"}},
        {"TSV UTF-8 of a surrogate", {{"words.tsv", "ok\tx\nw\t\xED\xA0\x80\n"}}, tsv, 1,
         {"words.tsv:2: invalid UTF-8 at column 3"}},
        {"TSV of empty lines only", {{"words.tsv", "\n\r\n\n"}}, tsv, 1, {"words.tsv: no records to write"}},
        {"TSV whose entries are all left out", {{"words.tsv", "\tx\n"}}, tsv, 1, {"no records to write"}},
        {"dictd index missing", {{"db.dict", goodData}}, dictd, 1, {"cannot read ", "db.index: No such file"}},
        {"dictd data missing", {{"db.index", goodIndex}}, dictd, 1, {"cannot read ", "db.dict.dz (nor ", "db.dict)"}},
        {"index offset not base64", {{"db.index", goodIndex + "x\tA*\tB\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:2: offset \"A*\" is not a dictd base64 number"}},
        {"index length empty", {{"db.index", "x\tA\t\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:1: length \"\" is not a dictd base64 number"}},
        {"index line with two fields", {{"db.index", "\n\nword\tA\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:3: expected key, offset and length separated by tabs, found 2 fields"}},
        {"index line with five fields", {{"db.index", "word\tA\tB\tC\tD\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:1: expected key, offset and length", "found 5 fields"}},
        {"index number past 64 bits", {{"db.index", "word\tQAAAAAAAAAA\tB\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:1: offset \"QAAAAAAAAAA\""}},
        {"index key not UTF-8", {{"db.index", "w\xFE\tA\tB\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:1: invalid UTF-8 in the key at column 2"}},
        {"entry past the end of the data", {{"db.index", goodIndex + "x\tM\tF\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:2: entry at byte 12 of length 5 runs past the end of the data (16 bytes in ", "db.dict)"}},
        {"entry length overflowing the offset", {{"db.index", "x\tB\t//////////\n"}, {"db.dict", goodData}}, dictd, 1,
         {"db.index:1: entry at byte 1 of length 1152921504606846975 runs past the end"}},
        {"entry past the end of compressed data", {{"db.index", "x\tA\tR\n"}, {"db.dict.dz", gzip}}, dictd, 1,
         {"db.index:1: entry at byte 0 of length 17 runs past the end of the data (16 bytes in ", "db.dict.dz)"}},
        {"data not gzip", {{"db.index", goodIndex}, {"db.dict.dz", goodData}}, dictd, 1,
         {"db.dict.dz: byte ", "corrupt compressed data (incorrect header check)"}},
        {"empty compressed data", {{"db.index", goodIndex}, {"db.dict.dz", ""}}, dictd, 1,
         {"db.dict.dz: byte 0: the compressed data ends early"}},
        {"compressed data cut short", {{"db.index", goodIndex}, {"db.dict.dz", bigGzip.substr(0, bigGzip.size() - 9)}},
         dictd, 1, {"db.dict.dz: byte " + std::to_string(bigGzip.size() - 9) + ": the compressed data ends early"}},
        {"compressed data with a wrong check sum",
         {{"db.index", goodIndex}, {"db.dict.dz", FlipByte(gzip, gzip.size() - 6)}},
         dictd, 1, {"db.dict.dz: byte ", "corrupt compressed data (incorrect data check)"}},
        {"compressed data with a wrong length", {{"db.index", goodIndex}, {"db.dict.dz", FlipByte(gzip, gzip.size() - 2)}},
         dictd, 1, {"db.dict.dz: byte ", "corrupt compressed data (incorrect length check)"}},
        {"garbage after the compressed stream", {{"db.index", goodIndex}, {"db.dict.dz", gzip + "junk"}}, dictd, 1,
         {"db.dict.dz: byte " + std::to_string(gzip.size()) + ": unexpected data after the end of the compressed stream"}},
        {"entry not UTF-8 in plain data", {{"db.index", goodIndex}, {"db.dict", "word /w/\npar\xC3la\n"}}, dictd, 1,
         {"db.dict: byte 12: invalid UTF-8 (entry of ", "db.index:1)"}},
        {"entry not UTF-8 in compressed data",
         {{"db.index", "a\tA\tC\nword\tC\tO\n"}, {"db.dict.dz", GzipBytes("a\nword /w/\n\xE2\x82la\n")}},
         dictd, 1, {"db.dict.dz: byte 11 of the uncompressed data: invalid UTF-8 (entry of ", "db.index:2)"}},
        {"licence of a database without info", {{"db.index", goodIndex}, {"db.dict", goodData}},
         {"--licence", "{dir}/db"}, 1,
         {"db.index: no 00-database-info entry"}},
        {"output folder missing", {{"words.tsv", "a\tb\n"}}, {"--tsv", "{dir}/words.tsv", "{dir}/absent/out.dat"}, 1,
         {"cannot write ", "absent/out.dat.partial: No such file or directory"}},
        {"no arguments", {}, {}, 2, {"usage: article_compiler --tsv INPUT.tsv OUTPUT.dat"}},
        {"unknown option", {}, {"--xml", "a", "b"}, 2, {"usage:"}},
        {"output missing", {{"words.tsv", "a\tb\n"}}, {"--tsv", "{dir}/words.tsv"}, 2, {"usage:"}},
        {"operand too many", {}, {"--check", "a", "b"}, 2, {"usage:"}},
    };
}

TEST(BadInput, ClearMessageNonZeroExitAndNoOutputFile)
{
    for (const BadInputCase& c : BadInputCases()) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        for (const auto& [name, bytes] : c.files)
            folder.Write(name, bytes);
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments)
            arguments.push_back(ReplaceFolder(argument, folder));
        const ProgramRun run = RunCompilerProgram(arguments, folder);
        EXPECT_EQ(run.exitCode, c.exitCode) << "stderr: " << run.err;
        for (const std::string& part : c.messageParts)
            EXPECT_TRUE(Contains(run.err, part)) << "expected in stderr: " << part << "\nseen: " << run.err;
        EXPECT_TRUE(run.out.empty()) << "stdout: " << run.out;
        EXPECT_FALSE(FileExists(folder.PathOf("out.dat"))) << "an output file was left behind";
        EXPECT_FALSE(FileExists(folder.PathOf("out.dat.partial"))) << "a partial file was left behind";
    }
}

TEST(BadInput, FailureLeavesAnExistingOutputUntouched)
{
    const struct {
        const char* name;
        std::string source;
    } cases[] = {
        {"line without tab", "good\tline\nbad line\n"},
        {"invalid UTF-8", "good\tline\nbad\t\x80\n"},
        {"nothing to write", "\tno headword\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        folder.Write("words.tsv", c.source);
        const std::string previous = "previous article file";
        folder.Write("out.dat", previous);
        const ProgramRun run = RunCompilerProgram({"--tsv", folder.PathOf("words.tsv"), folder.PathOf("out.dat")}, folder);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(ReadFileBytes(folder.PathOf("out.dat")), previous);
        EXPECT_FALSE(FileExists(folder.PathOf("out.dat.partial")));
    }
}

TEST(BadInput, SuccessReplacesAnExistingOutput)
{
    ScratchFolder folder;
    folder.Write("words.tsv", "a\tb\n");
    folder.Write("out.dat", "previous article file");
    const ProgramRun run = RunCompilerProgram({"--tsv", folder.PathOf("words.tsv"), folder.PathOf("out.dat")}, folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<ShownRecord> expected = {{u"a", u"b\r\n"}};
    EXPECT_EQ(ReadShownRecords(folder.PathOf("out.dat")), expected);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("out.dat")), EncodeArticleText(u"\r\n|a|b\r\n|"));
}

}  // namespace
