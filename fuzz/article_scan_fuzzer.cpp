// Fuzz target: the headword and article scans, vector and portable, against naive scans written here.
#include <algorithm>
#include <memory>
#include <vector>

#include "dictionary/article_text.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr size_t npos = std::u16string_view::npos;

// ESC, a count and a unit stand for that many copies of the unit, so that short inputs reach the
// 999-unit headword and 49,999-unit article limits.
constexpr char16_t RunMarker = 0x001B;
constexpr size_t ExpandedLimit = 1 << 17;
// What the word list and the article view take, written out rather than taken from the header.
constexpr size_t ListedUnits = 999;
constexpr size_t ListedWords = 25;
constexpr size_t ArticleUnits = 49999;
// A `from` unit of FFFF stands for npos, which a caller may pass on from an earlier failed search.
constexpr char16_t FromNowhere = 0xFFFF;

std::u16string ExpandRuns(std::u16string_view packed)
{
    std::u16string text;
    for (size_t i = 0; i < packed.size(); ++i) {
        if (packed[i] == RunMarker && i + 2 < packed.size()) {
            text.append(std::min<size_t>(packed[i + 1], ExpandedLimit - std::min(text.size(), ExpandedLimit)),
                        packed[i + 2]);
            i += 2;
        } else if (text.size() < ExpandedLimit) {
            text.push_back(packed[i]);
        }
    }
    return text;
}

// A heap block of exactly the text's size, with no terminator after it, so AddressSanitizer
// reports any read past the end.
struct ExactCopy {
    std::unique_ptr<char16_t[]> block;
    std::u16string_view view;
};

ExactCopy CopyExactly(std::u16string_view units)
{
    ExactCopy copy{std::unique_ptr<char16_t[]>(new char16_t[units.size()]), {}};
    std::copy(units.begin(), units.end(), copy.block.get());
    copy.view = std::u16string_view(copy.block.get(), units.size());
    return copy;
}

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The cut holds if it is the start of the same memory (an empty one may point anywhere), no longer than
// the limit, the whole text when that fits, and otherwise one unit short of the limit only to keep a
// high surrogate from the end.
void CheckCut(std::u16string_view whole, std::u16string_view cut, size_t limit, const char* what)
{
    CheckThat(cut.size() <= whole.size() && (cut.empty() || cut.data() == whole.data()), what);
    if (whole.size() <= limit) {
        CheckThat(cut.size() == whole.size(), what);
        return;
    }
    const bool endsInHigh = limit > 0 && IsHighSurrogate(whole[limit - 1]);
    CheckThat(cut.size() == (endsInHigh ? limit - 1 : limit), what);
}

std::u16string RecordPattern(std::u16string_view search, HeadwordMatch match)
{
    std::u16string pattern = u"\n|";
    pattern.append(search);
    if (match == HeadwordMatch::Exact)
        pattern.push_back(u'|');
    return pattern;
}

size_t ReferenceFind(std::u16string_view text, std::u16string_view search, HeadwordMatch match, size_t from)
{
    const size_t at = text.find(RecordPattern(search, match), from);
    return at == npos ? npos : at + 2;
}

// Tries every record in turn for the first whose headword starts at or after `offset`.
size_t ReferenceFindFromHeadword(std::u16string_view text, std::u16string_view search, HeadwordMatch match,
                                 size_t offset)
{
    const std::u16string pattern = RecordPattern(search, match);
    for (size_t at = text.find(pattern); at != npos; at = text.find(pattern, at + 1)) {
        if (at + 2 >= offset)
            return at + 2;
    }
    return npos;
}

// The text from `position` split at every bar: fields 0, 2, 4, ... are headwords when a bar closes them.
std::vector<std::u16string_view> ReferenceList(std::u16string_view text, size_t position)
{
    std::vector<std::u16string_view> words;
    if (position >= text.size())
        return words;
    std::vector<std::u16string_view> fields;
    std::u16string_view rest = text.substr(position);
    for (size_t bar = rest.find(u'|'); bar != npos; bar = rest.find(u'|')) {
        fields.push_back(rest.substr(0, bar));
        rest.remove_prefix(bar + 1);
    }
    fields.push_back(rest);
    for (size_t field = 0; field + 1 < fields.size() && words.size() < ListedWords; field += 2)
        words.push_back(fields[field]);
    return words;
}

const char* MatchName(HeadwordMatch match)
{
    return match == HeadwordMatch::Exact ? "exact" : "prefix";
}

void ReportFind(const char* scan, HeadwordMatch match, size_t from, size_t seen, size_t expected,
                std::u16string_view search, std::u16string_view text)
{
    std::fprintf(stderr, "%s %s from %zu gave %zu, the naive search %zu\n", scan, MatchName(match), from, seen,
                 expected);
    PrintUnits("search", search);
    PrintUnits("text", text);
    FailCheck("a headword scan differs from the naive search");
}

void CheckFind(std::u16string_view text, std::u16string_view search, size_t from)
{
    for (HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
        const size_t expected = ReferenceFind(text, search, match, from);
        const size_t seen = FindHeadword(text, search, match, from);
        if (seen != expected)
            ReportFind("FindHeadword", match, from, seen, expected, search, text);
        const size_t portable = FindHeadwordPortable(text, search, match, from);
        if (portable != expected)
            ReportFind("FindHeadwordPortable", match, from, portable, expected, search, text);
    }
}

void CheckFindFromHeadword(std::u16string_view text, std::u16string_view search, size_t offset)
{
    for (HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
        const size_t expected = ReferenceFindFromHeadword(text, search, match, offset);
        const size_t seen = FindHeadword(text, search, match, HeadwordStart{offset});
        if (seen != expected)
            ReportFind("FindHeadword from the headword", match, offset, seen, expected, search, text);
    }
}

void CheckList(std::u16string_view text, size_t position)
{
    const WordList list = ListHeadwordsFrom(text, position);
    const std::vector<std::u16string_view> expected = ReferenceList(text, position);
    if (list.count != expected.size()) {
        std::fprintf(stderr, "ListHeadwordsFrom %zu listed %zu headwords, the split %zu\n", position, list.count,
                     expected.size());
        PrintUnits("text", text);
        FailCheck("ListHeadwordsFrom lists another number of headwords");
    }
    for (size_t i = 0; i < list.count; ++i)
        CheckCut(expected[i], list.headwords[i], ListedUnits, "ListHeadwordsFrom headword is not the cut field");
}

// `headword` is where the naive search found the exact headword, npos when it found none.
void CheckArticle(const ArticleLookup& lookup, size_t headword, std::u16string_view text, std::u16string_view search,
                  size_t from)
{
    if (lookup.found != (headword != npos)) {
        std::fprintf(stderr, "LookUpArticle from %zu found: %d, the naive search found: %d\n", from, lookup.found,
                     headword != npos);
        PrintUnits("search", search);
        PrintUnits("text", text);
        FailCheck("LookUpArticle finds what the naive search does not, or the reverse");
    }
    if (!lookup.found)
        return;
    const size_t start = headword + search.size() + 1;
    const size_t end = text.find(u'|', start);
    const std::u16string_view article = text.substr(start, end == npos ? npos : end - start);
    CheckCut(article, lookup.article, ArticleUnits, "LookUpArticle article is not the cut text up to the next bar");
}

void CheckLookUp(std::u16string_view text, std::u16string_view search, size_t from)
{
    CheckArticle(LookUpArticle(text, search, from), ReferenceFind(text, search, HeadwordMatch::Exact, from), text,
                 search, from);
    CheckFindFromHeadword(text, search, from);
    CheckArticle(LookUpArticle(text, search, HeadwordStart{from}),
                 ReferenceFindFromHeadword(text, search, HeadwordMatch::Exact, from), text, search, from);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UnitReader reader(data, size);
    const char16_t searchLength = reader.TakeUnit();
    const char16_t fromUnit = reader.TakeUnit();
    const char16_t limit = reader.TakeUnit();
    const std::u16string search = ExpandRuns(reader.TakeUnits(searchLength));
    const std::u16string text = ExpandRuns(reader.TakeUnits(reader.UnitsLeft()));
    const ExactCopy textCopy = CopyExactly(text);
    const ExactCopy searchCopy = CopyExactly(search);
    const size_t from = fromUnit == FromNowhere ? npos : fromUnit;

    // As the word search calls them: from the start, the list and the article from the first prefix match.
    CheckFind(textCopy.view, searchCopy.view, 0);
    CheckLookUp(textCopy.view, searchCopy.view, 0);
    const size_t first = FindHeadword(textCopy.view, searchCopy.view, HeadwordMatch::Prefix);
    CheckLookUp(textCopy.view, searchCopy.view, first);
    if (first != npos)
        CheckList(textCopy.view, first);

    CheckFind(textCopy.view, searchCopy.view, from);
    CheckLookUp(textCopy.view, searchCopy.view, from);
    CheckList(textCopy.view, from);
    CheckCut(textCopy.view, CutToLimit(textCopy.view, limit), limit, "CutToLimit");
    return 0;
}
