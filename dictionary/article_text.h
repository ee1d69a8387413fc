// Article text: the byte shift of article files and the scans that find headwords and articles in decoded text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr char16_t RecordLineFeed = u'\n';
constexpr char16_t RecordBar = u'|';

// Fixed buffers of the word search, counted in units without their terminator.
constexpr size_t SearchTextLimit = 494;
constexpr size_t ListedHeadwordLimit = 999;
constexpr size_t PickedHeadwordLimit = 199;
constexpr size_t ArticleLimit = 49999;
constexpr size_t WordListCapacity = 25;

// A file byte is the plain UTF-16LE byte plus 2, modulo 256.
void DecodeArticleBytes(uint8_t* bytes, size_t count);
// The same without SSE2, as the 32-bit build runs it; here so tests and benchmarks reach it on every build.
void DecodeArticleBytesPortable(uint8_t* bytes, size_t count);
void EncodeArticleBytes(uint8_t* bytes, size_t count);
std::string EncodeArticleText(std::u16string_view text);

// Size of the zero-filled block that holds a file of `fileSize` bytes and then a whole zero unit
// at the first even offset at or after it; 0 when that size cannot be allocated on this platform.
size_t ArticleBlockSize(uint32_t fileSize);

// The decoded text of a block filled as above: its units up to the first zero unit.
std::u16string_view ArticleTextView(const char16_t* units, uint32_t fileSize);

// Cuts `text` to at most `limit` units without splitting a surrogate pair.
std::u16string_view CutToLimit(std::u16string_view text, size_t limit);

enum class HeadwordMatch { Prefix, Exact };

// Offset of the first unit of the first headword that begins with (or equals) `searchText`,
// looking at records whose prefix starts at or after `from`; npos when there is none.
size_t FindHeadword(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match,
                    size_t from = 0);
// The same without SSE2, as the 32-bit build runs it; here so tests and benchmarks reach it on every build.
size_t FindHeadwordPortable(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match,
                            size_t from = 0);

// A headword offset as FindHeadword returns it, npos included, to scan on from. An exact match is also a
// prefix match, so the exact lookup can start at the first prefix match and finds nothing when that is npos.
struct HeadwordStart {
    size_t offset;
};

// As above, looking at records whose headword starts at or after `from.offset`; npos for npos.
size_t FindHeadword(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match,
                    HeadwordStart from);

// Up to 25 headwords walked in file order from the headword that starts at `position`.
// The views point into `text`; headwords longer than the list takes are cut.
struct WordList {
    std::array<std::u16string_view, WordListCapacity> headwords;
    size_t count = 0;
};
WordList ListHeadwordsFrom(std::u16string_view text, size_t position);

// The article of the first record whose headword equals `searchText`; it runs to the next bar,
// or to the end of the text for the last record, and is cut to what the article view takes.
struct ArticleLookup {
    bool found = false;
    std::u16string_view article;
};
ArticleLookup LookUpArticle(std::u16string_view text, std::u16string_view searchText, size_t from = 0);
ArticleLookup LookUpArticle(std::u16string_view text, std::u16string_view searchText, HeadwordStart from);

// The load-failure texts; the second, for a file whose size cannot be read, has no "from".
std::u16string MissingArticleFileMessage(std::u16string_view baseUrl);
std::u16string UnsizedArticleFileMessage(std::u16string_view baseUrl);
