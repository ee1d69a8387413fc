// Building records: case folding and order, merged repeats, the fixes the format needs, and cutting long articles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/article_text.h"
#include "tests/tools/compiler_test_files.h"
#include "tools/article_compiler/article_check.h"
#include "tools/article_compiler/article_records.h"

using namespace std::string_literals;

namespace {

TEST(HeadwordOrder, FoldLowersLatinLettersOnly)
{
    const struct {
        char16_t unit;
        char16_t folded;
    } cases[] = {
        {u'A', u'a'},       {u'Z', u'z'},       {u'a', u'a'},       {u'@', u'@'},       {u'[', u'['},
        {u'0', u'0'},       {u'\u00C0', u'\u00E0'}, {u'\u00D6', u'\u00F6'}, {u'\u00D7', u'\u00D7'},
        {u'\u00D8', u'\u00F8'}, {u'\u00DE', u'\u00FE'}, {u'\u00DF', u'\u00DF'}, {u'\u00E9', u'\u00E9'},
        {u'\u00FF', u'\u00FF'}, {u'\u0100', u'\u0101'}, {u'\u0101', u'\u0101'}, {u'\u0130', u'i'},
        {u'\u0131', u'\u0131'}, {u'\u0136', u'\u0137'}, {u'\u0138', u'\u0138'}, {u'\u0139', u'\u013A'},
        {u'\u013A', u'\u013A'}, {u'\u0141', u'\u0142'}, {u'\u0147', u'\u0148'}, {u'\u0149', u'\u0149'},
        {u'\u014A', u'\u014B'}, {u'\u0152', u'\u0153'}, {u'\u0176', u'\u0177'}, {u'\u0178', u'\u00FF'},
        {u'\u0179', u'\u017A'}, {u'\u017D', u'\u017E'}, {u'\u017F', u'\u017F'}, {u'\u0180', u'\u0180'},
        {u'\u0391', u'\u0391'}, {u'\u0410', u'\u0410'}, {u'\uFF21', u'\uFF21'}, {char16_t{0xD83D}, char16_t{0xD83D}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("unit " + std::to_string(c.unit));
        EXPECT_EQ(static_cast<int>(FoldHeadwordUnit(c.unit)), static_cast<int>(c.folded));
    }
}

TEST(HeadwordOrder, CaseInsensitiveFirstThenUnits)
{
    const struct {
        const char* name;
        std::u16string before;
        std::u16string after;
    } cases[] = {
        {"capital before small of the same word", u"Apple", u"apple"},
        {"case does not matter between words", u"apple", u"Banana"},
        {"case does not matter between words, other way", u"Apple", u"banana"},
        {"shorter prefix first", u"app", u"Apple"},
        {"empty first", u"", u"a"},
        {"blank before letters", u"a b", u"ab"},
        {"ASCII before Latin-1", u"zulu", u"\u00E9clair"},
        {"Latin-1 capital folds to its small letter", u"\u00C4a", u"\u00E4b"},
        {"Latin-1 case pair", u"\u00C4pfel", u"\u00E4pfel"},
        {"Extended-A case pair", u"\u0141\u00F3d\u017A", u"\u0142\u00F3d\u017A"},
        {"Extended-A folded before a later letter", u"\u0141a", u"\u0142b"},
        {"dotted capital I sits with i", u"\u0130stanbul", u"istanbulx"},
        {"capital Y with diaeresis sits with its small letter", u"\u00FF", u"\u0178"},
        {"surrogate pairs by their units, before the top of the basic plane", u"\U0001F600", u"\uFFFD"},
        {"Greek is not folded", u"\u0391", u"\u03B1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_LT(CompareHeadwords(c.before, c.after), 0)
            << Printable(c.before) << " should sort before " << Printable(c.after);
        EXPECT_GT(CompareHeadwords(c.after, c.before), 0)
            << Printable(c.after) << " should sort after " << Printable(c.before);
        EXPECT_EQ(CompareHeadwords(c.before, c.before), 0);
    }
}

SourceEntry Entry(std::u16string headword, std::vector<std::u16string> lines, std::u16string pronunciation = u"")
{
    static int line = 0;
    return {std::move(headword), std::move(pronunciation), std::move(lines), "src:" + std::to_string(++line)};
}

struct ExpectedRecord {
    std::u16string headword;
    std::u16string article;
};

struct FixCounts {
    size_t bars = 0;
    size_t zeros = 0;
    size_t longHeadwords = 0;
    size_t emptyHeadwords = 0;
    size_t cutArticles = 0;
};

struct BuildCase {
    const char* name;
    std::vector<SourceEntry> entries;
    std::vector<ExpectedRecord> records;
    FixCounts fixes;
};

std::u16string SurrogatePairs(size_t count)
{
    std::u16string text;
    for (size_t i = 0; i < count; ++i)
        text += u"\U0001F600";
    return text;
}

TEST(RecordBuilding, TableOfCases)
{
    const std::u16string h199(199, u'h');
    const std::u16string h200(200, u'h');
    BuildCase cases[] = {
        {"single entry keeps its lines as written", {Entry(u"x", {u"one", u" two ", u"one"})},
         {{u"x", u"one\r\n two \r\none"}}, {}},
        {"entry without lines has an empty article", {Entry(u"x", {})}, {{u"x", u""}}, {}},
        {"pronunciation alone", {Entry(u"x", {}, u"/iks/")}, {{u"x", u"/iks/"}}, {}},
        {"repeats merge in source order without lines an earlier entry gave",
         {Entry(u"house", {u"casa"}), Entry(u"house", {u"chiesa", u"casa"}), Entry(u"house", {u"casa", u"edificio"})},
         {{u"house", u"casa\r\nchiesa\r\nedificio"}}, {}},
        {"a repeat's own repeated line stays", {Entry(u"x", {u"a"}), Entry(u"x", {u"b", u"b"})},
         {{u"x", u"a\r\nb\r\nb"}}, {}},
        {"empty lines are never dropped as repeats", {Entry(u"x", {u"a", u"", u"b"}), Entry(u"x", {u"", u"c"})},
         {{u"x", u"a\r\n\r\nb\r\n\r\nc"}}, {}},
        {"pronunciations once each, first seen first, before every line",
         {Entry(u"read", {u"leggere"}, u"/ri:d/"), Entry(u"read", {u"letto"}, u"/red/"),
          Entry(u"read", {u"lettura"}, u"/ri:d/"), Entry(u"read", {u"lesse"})},
         {{u"read", u"/ri:d/\r\n/red/\r\nleggere\r\nletto\r\nlettura\r\nlesse"}}, {}},
        {"pronunciation of a later entry when the first has none",
         {Entry(u"x", {u"a"}), Entry(u"x", {u"b"}, u"/p/")}, {{u"x", u"/p/\r\na\r\nb"}}, {}},
        {"headwords differing in case stay apart", {Entry(u"apple", {u"mela"}), Entry(u"Apple", {u"azienda"})},
         {{u"Apple", u"azienda"}, {u"apple", u"mela"}}, {}},
        {"bars in headword, pronunciation and lines become broken bars, once per entry",
         {Entry(u"a|b", {u"x|y", u"|"}, u"/a|b/")}, {{u"a\u00A6b", u"/a\u00A6b/\r\nx\u00A6y\r\n\u00A6"}}, {1}},
        {"a replaced bar can make two headwords one",
         {Entry(u"a|b", {u"one"}), Entry(u"a\u00A6b", {u"two"})}, {{u"a\u00A6b", u"one\r\ntwo"}}, {1}},
        {"zero units dropped everywhere", {Entry(u"ze\0ro"s, {u"nu\0ll"s}, u"/\0/"s)}, {{u"zero", u"//\r\nnull"}}, {0, 1}},
        {"headword of 199 units kept, of 200 left out", {Entry(h199, {u"kept"}), Entry(h200, {u"lost"})},
         {{h199, u"kept"}}, {0, 0, 1}},
        {"headword counted in UTF-16 units",
         {Entry(SurrogatePairs(99) + u"x", {u"kept"}), Entry(SurrogatePairs(100), {u"lost"})},
         {{SurrogatePairs(99) + u"x", u"kept"}}, {0, 0, 1}},
        {"zero units do not count towards the limit", {Entry(h199 + u"\0"s, {u"kept"})}, {{h199, u"kept"}}, {0, 1}},
        {"empty headword left out", {Entry(u"", {u"lost"}), Entry(u"x", {u"kept"})}, {{u"x", u"kept"}}, {0, 0, 0, 1}},
        {"headword of zero units only is empty", {Entry(u"\0\0"s, {u"lost"})}, {}, {0, 1, 0, 1}},
        {"left-out repeats do not merge", {Entry(h200, {u"a"}), Entry(h200, {u"b"})}, {}, {0, 0, 2}},
        {"order by folded units, then by units",
         {Entry(u"b", {}), Entry(u"\u00C4b", {}), Entry(u"B", {}), Entry(u"\u00E4a", {}), Entry(u"a", {}),
          Entry(u"A", {}), Entry(u"\u00E4b", {}), Entry(u"ab", {})},
         {{u"A", u""}, {u"a", u""}, {u"ab", u""}, {u"B", u""}, {u"b", u""}, {u"\u00E4a", u""}, {u"\u00C4b", u""},
          {u"\u00E4b", u""}},
         {}},
        {"no entries", {}, {}, {}},
    };
    for (BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextFixReport report;
        const std::vector<ArticleRecord> records = BuildArticleRecords(std::move(c.entries), report);
        std::string seen;
        for (const ArticleRecord& record : records)
            seen += " " + Printable(record.headword) + "->" + Printable(record.article);
        ASSERT_EQ(records.size(), c.records.size()) << "seen:" << seen;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].headword, c.records[i].headword) << "record " << i << ", seen:" << seen;
            EXPECT_EQ(records[i].article, c.records[i].article) << "record " << i << ", seen:" << seen;
        }
        EXPECT_EQ(report.Tally(TextFix::BarReplaced).count, c.fixes.bars);
        EXPECT_EQ(report.Tally(TextFix::ZeroDropped).count, c.fixes.zeros);
        EXPECT_EQ(report.Tally(TextFix::LongHeadwordLeftOut).count, c.fixes.longHeadwords);
        EXPECT_EQ(report.Tally(TextFix::EmptyHeadwordLeftOut).count, c.fixes.emptyHeadwords);
        EXPECT_EQ(report.Tally(TextFix::LongArticleCut).count, c.fixes.cutArticles);
    }
}

TEST(RecordBuilding, ReportKeepsTheFirstFewPlaces)
{
    std::vector<SourceEntry> entries;
    for (int i = 0; i < 8; ++i) {
        const std::u16string headword = u"w" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u"|";
        entries.push_back({headword, u"", {}, "f:" + std::to_string(i + 1)});
    }
    TextFixReport report;
    BuildArticleRecords(std::move(entries), report);
    const TextFixTally& tally = report.Tally(TextFix::BarReplaced);
    EXPECT_EQ(tally.count, 8u);
    const std::vector<std::string> expected = {"f:1: \"wa\u00A6\"", "f:2: \"wb\u00A6\"", "f:3: \"wc\u00A6\"",
                                               "f:4: \"wd\u00A6\"", "f:5: \"we\u00A6\""};
    EXPECT_EQ(tally.examples, expected);
}

std::vector<std::u16string> Lines(size_t count, size_t length)
{
    return std::vector<std::u16string>(count, std::u16string(length, u'a'));
}

std::u16string Joined(const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? u"\r\n" : u"") + lines[i];
    return text;
}

TEST(RecordBuilding, LongArticlesAreCutToWhatTheViewShows)
{
    // The article as read ends with the line end before the next bar: 49,997 units of lines at most.
    const std::u16string pairAtEdge = std::u16string(49996, u'a') + u"\U0001F600" + std::u16string(100, u'b');
    const struct {
        const char* name;
        std::vector<std::u16string> lines;
        std::u16string kept;
    } cases[] = {
        {"one line that just fits", Lines(1, 49997), Joined(Lines(1, 49997))},
        {"many lines that just fit", {std::u16string(49990, u'a'), u"bbbbb"}, std::u16string(49990, u'a') + u"\r\nbbbbb"},
        {"one line a unit too long is cut at the limit", Lines(1, 49998), Joined(Lines(1, 49997))},
        {"cut at the last line end that fits", Lines(60, 999), Joined(Lines(49, 999))},
        {"a line end right at the limit", {std::u16string(49997, u'a'), u"b"}, std::u16string(49997, u'a')},
        {"a line end one unit past the limit", {std::u16string(49998, u'a'), u"b"}, std::u16string(49997, u'a')},
        {"a long line after short ones is left out whole", {u"short", std::u16string(60000, u'x'), u"end"}, u"short"},
        {"a surrogate pair at the limit is not split", {pairAtEdge}, std::u16string(49996, u'a')},
        {"an empty first line keeps the cut inside the next",
         {u"", std::u16string(60000, u'x')}, u"\r\n" + std::u16string(49995, u'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextFixReport report;
        std::vector<SourceEntry> entries = {{u"long", u"", c.lines, "src:1"}, {u"next", u"", {u"x"}, "src:2"}};
        const std::vector<ArticleRecord> records = BuildArticleRecords(std::move(entries), report);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].article.size(), c.kept.size());
        EXPECT_TRUE(records[0].article == c.kept)
            << "expected " << Printable(c.kept) << " seen " << Printable(records[0].article);
        const bool cut = c.kept != Joined(c.lines);
        EXPECT_EQ(report.Tally(TextFix::LongArticleCut).count, cut ? 1u : 0u);

        // What the program then shows: the kept lines and the line end, and the next record intact.
        const std::u16string text = ComposeArticleText(records);
        const ArticleLookup lookup = LookUpArticle(text, u"long");
        EXPECT_TRUE(lookup.found);
        EXPECT_TRUE(lookup.article == c.kept + u"\r\n") << "seen " << lookup.article.size() << " units";
        EXPECT_EQ(std::u16string(LookUpArticle(text, u"next").article), u"x\r\n");
        const CheckFindings findings = CheckArticleBytes(EncodeArticleText(text));
        EXPECT_EQ(findings.ProblemCount(), 0u);
    }
}

TEST(RecordComposition, RecordsAreLineEndBarHeadwordBarArticleThenAFinalPrefix)
{
    const struct {
        const char* name;
        std::vector<ArticleRecord> records;
        std::u16string text;
    } cases[] = {
        {"no records", {}, u"\r\n|"},
        {"one record", {{u"a", u"b", ""}}, u"\r\n|a|b\r\n|"},
        {"empty article and multi-line article", {{u"a", u"", ""}, {u"b", u"x\r\ny", ""}}, u"\r\n|a|\r\n|b|x\r\ny\r\n|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeArticleText(c.records), c.text);
    }
}

}  // namespace
