// Decoding, encoding and the headword and article scans over small texts.
#include "dictionary/article_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::u16string DecodeToUnits(std::string bytes)
{
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8));
    return units;
}

TEST(ArticleDecoding, ExampleBytesDecodeToOneRecord)
{
    const std::u16string text = DecodeToUnits(Bytes({0x0C, 0x02, 0x7E, 0x02, 0x63, 0x02, 0x7E, 0x02, 0x64, 0x02}));
    EXPECT_EQ(text, u"\n|a|b");
    const WordList list = ListHeadwordsFrom(text, FindHeadword(text, u"", HeadwordMatch::Prefix));
    ASSERT_EQ(list.count, 1u);
    EXPECT_EQ(list.headwords[0], u"a");
    const ArticleLookup lookup = LookUpArticle(text, u"a");
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.article, u"b");
}

TEST(ArticleDecoding, ShiftWrapsAroundEveryByte)
{
    std::string all;
    for (int value = 0; value < 256; ++value)
        all.push_back(static_cast<char>(value));
    std::string decoded = all;
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(decoded.data()), decoded.size());
    EXPECT_EQ(static_cast<uint8_t>(decoded[0]), 0xFE);
    EXPECT_EQ(static_cast<uint8_t>(decoded[1]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(decoded[2]), 0x00);
    EncodeArticleBytes(reinterpret_cast<uint8_t*>(decoded.data()), decoded.size());
    EXPECT_EQ(decoded, all);
}

TEST(ArticleDecoding, EveryLengthAndStartDecodesOnlyItsBytes)
{
    std::string all;
    for (int i = 0; i < 300; ++i)
        all.push_back(static_cast<char>(i * 37 + 11));
    const struct {
        const char* name;
        void (*decode)(uint8_t*, size_t);
    } decoders[] = {{"DecodeArticleBytes", DecodeArticleBytes}, {"DecodeArticleBytesPortable", DecodeArticleBytesPortable}};
    for (const auto& d : decoders) {
        for (size_t start = 0; start <= 17; ++start) {
            for (size_t length = 0; start + length <= all.size(); length += length < 80 ? 1 : 37) {
                std::string bytes = all;
                d.decode(reinterpret_cast<uint8_t*>(bytes.data()) + start, length);
                for (size_t i = 0; i < all.size(); ++i) {
                    const bool inside = i >= start && i < start + length;
                    const uint8_t expected = static_cast<uint8_t>(static_cast<uint8_t>(all[i]) - (inside ? 2 : 0));
                    ASSERT_EQ(static_cast<uint8_t>(bytes[i]), expected)
                        << d.name << ", byte " << i << " of a run of " << length << " from " << start;
                }
            }
        }
    }
}

TEST(ArticleDecoding, EncodedTextDecodesBack)
{
    const std::u16string text = u"\r\n|\u00E8\u20AC|\U0001F600 x\r\n|";
    EXPECT_EQ(DecodeToUnits(EncodeArticleText(text)), text);
    EXPECT_EQ(EncodeArticleText(u"\n|a|b"), Bytes({0x0C, 0x02, 0x7E, 0x02, 0x63, 0x02, 0x7E, 0x02, 0x64, 0x02}));
}

TEST(ArticleDecoding, BlockHoldsFileAndWholeZeroUnitAtEvenOffset)
{
    const struct {
        uint32_t fileSize;
        uint64_t blockSize;
    } cases[] = {{0, 2}, {1, 4}, {2, 4}, {3, 6}, {10, 12}, {0xFFFFFFFDu, 0x100000000ull}, {0xFFFFFFFEu, 0x100000000ull}};
    for (const auto& c : cases) {
        const uint64_t expected = c.blockSize > SIZE_MAX ? 0 : c.blockSize;
        EXPECT_EQ(ArticleBlockSize(c.fileSize), expected) << "file size " << c.fileSize;
    }
}

TEST(ArticleDecoding, TextEndsAtFirstZeroUnitOrAtTerminator)
{
    const std::u16string block = u"\n|a|b\0\n|c|d"s;
    EXPECT_EQ(ArticleTextView(block.data(), static_cast<uint32_t>(block.size() * 2)), u"\n|a|b");
    // An odd size: the last byte pairs with the terminator's first zero byte.
    const char16_t odd[] = {u'\n', u'|', 0x0061, 0};
    EXPECT_EQ(ArticleTextView(odd, 5), std::u16string_view(odd, 3));
    EXPECT_EQ(ArticleTextView(nullptr, 0), u"");
}

const std::u16string Fruit = u"\r\n|ant|insect\r\n|apple|fruit\r\n|apricot|stone fruit\r\n|banana|yellow";
const std::u16string FruitWithFinalPrefix = Fruit + u"\r\n|";

std::u16string ManyRecords(int count)
{
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += u"\n|w" + std::u16string(1, static_cast<char16_t>(u'A' + i)) + u"|x";
    return text;
}

struct ScanCase {
    const char* name;
    std::u16string text;
    std::u16string search;
    std::vector<std::u16string> listed;
    bool articleFound;
    std::u16string article;
};

std::vector<std::u16string> Listed(const std::u16string& text, const std::u16string& search)
{
    const size_t first = FindHeadword(text, search, HeadwordMatch::Prefix);
    std::vector<std::u16string> words;
    if (first == std::u16string_view::npos)
        return words;
    const WordList list = ListHeadwordsFrom(text, first);
    for (size_t i = 0; i < list.count; ++i)
        words.emplace_back(list.headwords[i]);
    return words;
}

std::vector<std::u16string> LettersFrom(char16_t first, int count)
{
    std::vector<std::u16string> words;
    for (int i = 0; i < count; ++i)
        words.push_back(u"w" + std::u16string(1, static_cast<char16_t>(first + i)));
    return words;
}

// `records` after `count` units of filler, to put a match at any place in or across the scans' blocks.
std::u16string Padded(size_t count, std::u16string_view records)
{
    return std::u16string(count, u'x') + std::u16string(records);
}

TEST(ArticleScans, TableOfCases)
{
    const ScanCase cases[] = {
        {"prefix walks on past the matches", Fruit, u"ap", {u"apple", u"apricot", u"banana"}, false, u""},
        {"whole headword shows its article with the next line end", Fruit, u"apple",
         {u"apple", u"apricot", u"banana"}, true, u"fruit\r\n"},
        {"empty search lists from the first record", Fruit, u"", {u"ant", u"apple", u"apricot", u"banana"}, false, u""},
        {"case matters", Fruit, u"Apple", {}, false, u""},
        {"no headword begins with the text", Fruit, u"cherry", {}, false, u""},
        {"last record without final prefix shows its article to the end", Fruit, u"banana", {u"banana"}, true,
         u"yellow"},
        {"last record before a final prefix", FruitWithFinalPrefix, u"banana", {u"banana"}, true, u"yellow\r\n"},
        {"walk reaching a final prefix keeps what it found", FruitWithFinalPrefix, u"apr", {u"apricot", u"banana"},
         false, u""},
        {"repeated headwords show the first", u"\n|a|first\n|a|second\n|b|x", u"a", {u"a", u"a", u"b"}, true,
         u"first\n"},
        {"byte-order mark before the first record", u"\uFEFF\n|ant|x\n|bee|y", u"ant", {u"ant", u"bee"}, true, u"x\n"},
        {"text beginning with a bar hides its first record", u"|ant|x\n|bee|y", u"ant", {}, false, u""},
        {"text beginning with a bar still lists the rest", u"|ant|x\n|bee|y", u"", {u"bee"}, false, u""},
        {"a bar without a line feed is no record", u"\n|a|x|ab|y", u"ab", {}, false, u""},
        {"empty headword found by empty search", u"\n||empty\n|b|x", u"", {u"", u"b"}, true, u"empty\n"},
        {"headword without closing bar ends the walk", u"\n|ant|x\n|be", u"a", {u"ant"}, false, u""},
        {"only an unterminated headword matches", u"\n|ant|x\n|be", u"b", {}, false, u""},
        {"text of a final prefix alone", u"\n|", u"", {}, false, u""},
        {"empty text", u"", u"", {}, false, u""},
        {"search text longer than the text", u"\n|a|b", u"abcdef", {}, false, u""},
        {"25 of many records", ManyRecords(30), u"wA", LettersFrom(u'A', 25), true, u"x\n"},
        {"fewer than 25 records at the end", ManyRecords(30), u"wZ", LettersFrom(u'Z', 5), true, u"x\n"},
        {"text shorter than a block of the scan", u"\n|ab|c", u"ab", {u"ab"}, true, u"c"},
        {"record across the edge of the first block", Padded(6, u"\n|apple|fruit\n|b|y"), u"apple", {u"apple", u"b"},
         true, u"fruit\n"},
        {"record across the edge of a block of 32", Padded(30, u"\n|apple|fruit\n|b|y"), u"apple",
         {u"apple", u"b"}, true, u"fruit\n"},
        {"record just past a block of 32", Padded(33, u"\n|apple|fruit\n|b|y"), u"apple", {u"apple", u"b"}, true,
         u"fruit\n"},
        {"whole headword in the last starts, after the blocks", Padded(70, u"\n|apple|"), u"apple", {u"apple"}, true,
         u""},
        {"match after many blocks", Padded(1000, u"\n|apple|fruit"), u"apple", {u"apple"}, true, u"fruit"},
        {"near misses that agree at the first, second and last units", u"\n|axxxe|x\n|appla|x\n|apple|fruit",
         u"apple", {u"apple"}, true, u"fruit"},
        {"units that agree only in their low byte", u"\n|\u01E4pfel|x\n|\u00E4pfel|y", u"\u00E4pfel",
         {u"\u00E4pfel"}, true, u"y"},
        {"search text holding a record prefix", u"\n|a\n|b|x", u"a\n|b", {u"a\n"}, true, u"x"},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Listed(c.text, c.search), c.listed);
        const ArticleLookup lookup = LookUpArticle(c.text, c.search);
        EXPECT_EQ(lookup.found, c.articleFound);
        EXPECT_EQ(std::u16string(lookup.article), c.article);
        // Looked up from where the prefix scan found its first headword, as a keystroke does, the same article.
        const size_t first = FindHeadword(c.text, c.search, HeadwordMatch::Prefix);
        const ArticleLookup fromFirst = LookUpArticle(c.text, c.search, HeadwordStart{first});
        EXPECT_EQ(fromFirst.found, c.articleFound);
        EXPECT_EQ(std::u16string(fromFirst.article), c.article);
        for (const HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
            const size_t found = FindHeadword(c.text, c.search, match);
            EXPECT_EQ(FindHeadword(c.text, c.search, match, HeadwordStart{first}), found);
            EXPECT_EQ(FindHeadwordPortable(c.text, c.search, match), found);
        }
    }
}

TEST(ArticleScans, SearchesLookOnlyAtRecordsFromTheGivenOffset)
{
    constexpr size_t npos = std::u16string_view::npos;
    const struct {
        const char* name;
        std::u16string search;
        HeadwordMatch match;
        size_t from;
        size_t found;
        std::u16string article;
    } cases[] = {
        {"from the start", u"a", HeadwordMatch::Prefix, 0, 3, u""},
        {"from the line feed of the prefix", u"a", HeadwordMatch::Prefix, 1, 3, u""},
        {"from the bar of the prefix", u"a", HeadwordMatch::Prefix, 2, 16, u""},
        {"from the next line feed", u"apple", HeadwordMatch::Exact, 14, 16, u"fruit\r\n"},
        {"past the next prefix", u"apple", HeadwordMatch::Exact, 15, npos, u""},
        {"from the last unit", u"", HeadwordMatch::Prefix, Fruit.size() - 1, npos, u""},
        {"from the end", u"", HeadwordMatch::Prefix, Fruit.size(), npos, u""},
        {"from npos", u"", HeadwordMatch::Prefix, npos, npos, u""},
        {"from npos, exact", u"ant", HeadwordMatch::Exact, npos, npos, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindHeadword(Fruit, c.search, c.match, c.from), c.found);
        if (c.match == HeadwordMatch::Exact) {
            const ArticleLookup lookup = LookUpArticle(Fruit, c.search, c.from);
            EXPECT_EQ(lookup.found, c.found != npos);
            EXPECT_EQ(std::u16string(lookup.article), c.article);
        }
    }
}

TEST(ArticleScans, SearchesFromAHeadwordLookAtThatHeadwordOn)
{
    constexpr size_t npos = std::u16string_view::npos;
    // Headwords "apple" start at 16 and 68 (record prefixes at 14 and 66).
    const std::u16string text = Fruit + u"\r\n|apple|again";
    const struct {
        const char* name;
        size_t from;
        size_t found;
    } cases[] = {
        {"from the start", 0, 16},          {"from the first unit of the text", 1, 16},
        {"from the headword's line feed", 14, 16}, {"from the headword itself", 16, 16},
        {"from just past the headword", 17, 68},   {"from the second headword", 68, 68},
        {"past the second headword", 69, npos},   {"from the end", text.size(), npos},
        {"from npos, a failed prefix scan", npos, npos},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindHeadword(text, u"apple", HeadwordMatch::Exact, HeadwordStart{c.from}), c.found);
        EXPECT_EQ(FindHeadword(text, u"apple", HeadwordMatch::Prefix, HeadwordStart{c.from}), c.found);
        const ArticleLookup lookup = LookUpArticle(text, u"apple", HeadwordStart{c.from});
        EXPECT_EQ(lookup.found, c.found != npos);
        EXPECT_EQ(std::u16string(lookup.article), c.found == 16 ? u"fruit\r\n" : c.found == 68 ? u"again" : u"");
    }
}

TEST(ArticleScans, EveryPlaceAroundTheScansBlocks)
{
    constexpr size_t npos = std::u16string_view::npos;
    // Filler of near misses that pass the vector scan's filter and fail only on the other units, cut at
    // every length: none of its cuts completes into a match with the record after it.
    const std::u16string decoys = u"\n|axxxe|\n|axxxx|x|apple|";
    const struct {
        const char* name;
        std::u16string_view record;
        bool found;
    } records[] = {
        {"whole record", u"\n|apple|fruit", true},
        {"record at the very end", u"\n|apple|", true},
        {"last unit differs", u"\n|applf|fruit", false},
        {"line feed missing", u"x|apple|fruit", false},
    };
    for (const auto& r : records) {
        for (size_t pad = 0; pad <= 80; ++pad) {
            std::u16string filler;
            while (filler.size() < pad)
                filler += decoys;
            filler.resize(pad);
            const std::u16string text = filler + std::u16string(r.record);
            SCOPED_TRACE(testing::Message() << r.name << ", after " << pad << " units");
            for (const HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
                const size_t found = FindHeadword(text, u"apple", match);
                EXPECT_EQ(found, r.found ? pad + 2 : npos);
                EXPECT_EQ(FindHeadwordPortable(text, u"apple", match), found);
                for (size_t from = 0; from <= text.size(); from += 7)
                    EXPECT_EQ(FindHeadword(text, u"apple", match, from), FindHeadwordPortable(text, u"apple", match, from));
            }
        }
    }
}

TEST(ArticleScans, LongTextsAreCutToWhatTheViewsTake)
{
    const std::u16string longHeadword(1500, u'h');
    const std::u16string longArticle(60000, u'a');
    const std::u16string text = u"\n|" + longHeadword + u"|" + longArticle + u"\n|z|";
    const std::vector<std::u16string> listed = Listed(text, u"hhh");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].size(), ListedHeadwordLimit);
    const ArticleLookup lookup = LookUpArticle(text, longHeadword);
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.article.size(), ArticleLimit);
}

TEST(ArticleScans, CutsNeverSplitASurrogatePair)
{
    const std::u16string pairAtEdge = std::u16string(3, u'x') + u"\U0001F600";
    EXPECT_EQ(CutToLimit(pairAtEdge, 4), u"xxx");
    EXPECT_EQ(CutToLimit(pairAtEdge, 5), pairAtEdge);
    EXPECT_EQ(CutToLimit(u"abc", 10), u"abc");
    EXPECT_EQ(CutToLimit(u"abc", 0), u"");
}

TEST(ArticleMessages, MissingAndUnsizedTextsEndWithTheBaseAddress)
{
    EXPECT_EQ(MissingArticleFileMessage(u"http://h/"),
              u"Dictionary article file not found, please try reinstall application or download latest version "
              u"from http://h/");
    EXPECT_EQ(UnsizedArticleFileMessage(u"http://h/"),
              u"Dictionary article file not found, please try reinstall application or download latest version "
              u"http://h/");
}

}  // namespace
