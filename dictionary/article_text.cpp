// Article text: decoding and scanning; no window code here, so the scans are tested natively.
#include "dictionary/article_text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr size_t npos = std::u16string_view::npos;

// What a headword scan looks for: a record prefix, the search text and, for an exact match, a closing bar.
struct RecordPattern {
    std::u16string_view search;
    bool exact;

    size_t Size() const { return search.size() + (exact ? 3 : 2); }

    char16_t At(size_t offset) const
    {
        if (offset == 0)
            return RecordLineFeed;
        if (offset == 1)
            return RecordBar;
        return offset - 2 < search.size() ? search[offset - 2] : RecordBar;
    }

    // `units` holds at least Size() units.
    bool MatchesAt(const char16_t* units) const
    {
        // memcmp must not see the null data of an empty view, even for no bytes.
        return units[0] == RecordLineFeed && units[1] == RecordBar &&
               (search.empty() || std::memcmp(units + 2, search.data(), search.size() * sizeof(char16_t)) == 0) &&
               (!exact || units[2 + search.size()] == RecordBar);
    }
};

// One past the last offset where `pattern` fits in `text`, or 0 when it cannot fit at or after `from`.
size_t PatternStartsEnd(std::u16string_view text, size_t from, const RecordPattern& pattern)
{
    const size_t size = pattern.Size();
    if (text.size() < size || from > text.size() - size)
        return 0;
    return text.size() - size + 1;
}

// Horspool's steps, keyed on the low byte of the unit under the pattern's last place.
struct HorspoolSteps {
    uint16_t steps[256];
    size_t last;
    char16_t lastUnit;

    explicit HorspoolSteps(const RecordPattern& pattern) : last(pattern.Size() - 1), lastUnit(pattern.At(last))
    {
        // Capped steps are shorter, so still safe; 16 bits keep the table small enough to fill on every call.
        std::fill(std::begin(steps), std::end(steps), static_cast<uint16_t>(std::min<size_t>(last + 1, 0xFFFF)));
        for (size_t i = 0; i < last; ++i)
            steps[pattern.At(i) & 0xFF] = static_cast<uint16_t>(std::min<size_t>(last - i, 0xFFFF));
    }
};

// Scans the starts from `at` up to `end` alone.
size_t FindPatternFrom(const char16_t* units, size_t at, size_t end, const RecordPattern& pattern,
                       const HorspoolSteps& horspool)
{
    while (at < end) {
        const char16_t unit = units[at + horspool.last];
        if (unit == horspool.lastUnit && pattern.MatchesAt(units + at))
            return at;
        at += horspool.steps[unit & 0xFF];
    }
    return npos;
}

// Horspool's scan steps past several units at a time where plain code cannot compare many at once. Each
// step waits on the table look-up of the one before, so two scans, over the first and the second half of
// the starts, take turns in one loop and overlap; a match in the first half still wins.
size_t FindPatternPortable(std::u16string_view text, size_t from, const RecordPattern& pattern)
{
    const size_t end = PatternStartsEnd(text, from, pattern);
    if (end == 0)
        return npos;
    const HorspoolSteps horspool(pattern);
    const char16_t* units = text.data();
    const size_t middle = from + (end - from) / 2;
    size_t first = from;
    size_t second = middle;
    while (first < middle && second < end) {
        const char16_t firstUnit = units[first + horspool.last];
        const char16_t secondUnit = units[second + horspool.last];
        if (firstUnit == horspool.lastUnit && pattern.MatchesAt(units + first))
            return first;
        if (secondUnit == horspool.lastUnit && pattern.MatchesAt(units + second))
            break;
        first += horspool.steps[firstUnit & 0xFF];
        second += horspool.steps[secondUnit & 0xFF];
    }
    const size_t found = FindPatternFrom(units, first, middle, pattern, horspool);
    return found != npos ? found : FindPatternFrom(units, second, end, pattern, horspool);
}

#ifdef __SSE2__

// All ones in each of the 8 lanes from `units` that holds `unit`.
__m128i EqualUnits(const char16_t* units, __m128i unit)
{
    return _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units)), unit);
}

// Places of the pattern compared at 8 starts at once. From four units on, the first two are the bar
// before the headword and the pattern's last unit, which pass together at few places whatever the
// headwords begin with; the third, the headword's first unit, weeds out most of the rest.
struct CandidateFilter {
    size_t offsets[3];
    __m128i units[3];

    explicit CandidateFilter(const RecordPattern& pattern)
    {
        const size_t size = pattern.Size();
        offsets[0] = size >= 3 ? 1 : 0;
        offsets[1] = size >= 3 ? size - 1 : 1;
        offsets[2] = size >= 4 ? 2 : 0;
        for (int i = 0; i < 3; ++i)
            units[i] = _mm_set1_epi16(static_cast<short>(pattern.At(offsets[i])));
    }

    __m128i FirstLanes(const char16_t* at) const
    {
        return _mm_and_si128(EqualUnits(at + offsets[0], units[0]), EqualUnits(at + offsets[1], units[1]));
    }

    __m128i Lanes(const char16_t* at, __m128i firstLanes) const
    {
        return _mm_and_si128(firstLanes, EqualUnits(at + offsets[2], units[2]));
    }
};

// The few starts after the last whole block of 8.
size_t CheckEachStart(const char16_t* units, size_t at, size_t end, const RecordPattern& pattern)
{
    for (; at < end; ++at) {
        if (units[at + 1] == RecordBar && pattern.MatchesAt(units + at))
            return at;
    }
    return npos;
}

// One bit for each of the 16 starts of two blocks of lanes.
uint32_t StartBits(__m128i low, __m128i high)
{
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
}

size_t FindPatternVector(std::u16string_view text, size_t from, const RecordPattern& pattern)
{
    const size_t end = PatternStartsEnd(text, from, pattern);
    if (end == 0)
        return npos;
    const CandidateFilter filter(pattern);
    const char16_t* units = text.data();
    size_t at = from;
    // A block of 8 starts reads up to its last start plus the pattern, which ends by the text's end.
    for (; end - at >= 32; at += 32) {
        const char16_t* block = units + at;
        const __m128i a = filter.FirstLanes(block);
        const __m128i b = filter.FirstLanes(block + 8);
        const __m128i c = filter.FirstLanes(block + 16);
        const __m128i d = filter.FirstLanes(block + 24);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0)
            continue;
        uint32_t starts = StartBits(filter.Lanes(block, a), filter.Lanes(block + 8, b)) |
                          StartBits(filter.Lanes(block + 16, c), filter.Lanes(block + 24, d)) << 16;
        for (; starts != 0; starts &= starts - 1) {
            const size_t start = at + static_cast<size_t>(std::countr_zero(starts));
            if (pattern.MatchesAt(units + start))
                return start;
        }
    }
    for (; end - at >= 8; at += 8) {
        const char16_t* block = units + at;
        uint32_t starts = StartBits(filter.Lanes(block, filter.FirstLanes(block)), _mm_setzero_si128());
        for (; starts != 0; starts &= starts - 1) {
            const size_t start = at + static_cast<size_t>(std::countr_zero(starts));
            if (pattern.MatchesAt(units + start))
                return start;
        }
    }
    return CheckEachStart(units, at, end, pattern);
}

size_t FindPattern(std::u16string_view text, size_t from, const RecordPattern& pattern)
{
    return FindPatternVector(text, from, pattern);
}

#else

size_t FindPattern(std::u16string_view text, size_t from, const RecordPattern& pattern)
{
    return FindPatternPortable(text, from, pattern);
}

#endif

size_t FindUnit(std::u16string_view text, size_t from, char16_t unit)
{
    if (from >= text.size())
        return npos;
    const char16_t* units = text.data();
    size_t at = from;
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    for (; text.size() - at >= 8; at += 8) {
        const unsigned lanes = static_cast<unsigned>(_mm_movemask_epi8(EqualUnits(units + at, wanted)));
        if (lanes != 0)
            return at + static_cast<size_t>(std::countr_zero(lanes)) / 2;
    }
#endif
    for (; at < text.size(); ++at) {
        if (units[at] == unit)
            return at;
    }
    return npos;
}

size_t HeadwordOf(size_t record)
{
    return record == npos ? npos : record + 2;
}

// Where the scan for records whose headword starts at or after `headword` begins.
size_t RecordFrom(HeadwordStart headword)
{
    return headword.offset < 2 ? 0 : headword.offset - 2;
}

ArticleLookup ArticleOf(std::u16string_view text, std::u16string_view searchText, size_t headword)
{
    if (headword == npos)
        return {};
    const size_t start = headword + searchText.size() + 1;
    const size_t end = FindUnit(text, start, RecordBar);
    const size_t length = (end == npos ? text.size() : end) - start;
    return {true, CutToLimit(text.substr(start, length), ArticleLimit)};
}

}  // namespace

void DecodeArticleBytes(uint8_t* bytes, size_t count)
{
    size_t done = 0;
#ifdef __SSE2__
    const __m128i two = _mm_set1_epi8(2);
    for (; count - done >= 64; done += 64) {
        __m128i* block = reinterpret_cast<__m128i*>(bytes + done);
        const __m128i a = _mm_loadu_si128(block);
        const __m128i b = _mm_loadu_si128(block + 1);
        const __m128i c = _mm_loadu_si128(block + 2);
        const __m128i d = _mm_loadu_si128(block + 3);
        _mm_storeu_si128(block, _mm_sub_epi8(a, two));
        _mm_storeu_si128(block + 1, _mm_sub_epi8(b, two));
        _mm_storeu_si128(block + 2, _mm_sub_epi8(c, two));
        _mm_storeu_si128(block + 3, _mm_sub_epi8(d, two));
    }
    for (; count - done >= 16; done += 16) {
        __m128i* block = reinterpret_cast<__m128i*>(bytes + done);
        _mm_storeu_si128(block, _mm_sub_epi8(_mm_loadu_si128(block), two));
    }
#endif
    DecodeArticleBytesPortable(bytes + done, count - done);
}

void DecodeArticleBytesPortable(uint8_t* bytes, size_t count)
{
    // A word at a time: with each byte's top bit set first, no borrow crosses into the next byte.
    constexpr size_t Ones = ~size_t{0} / 0xFF;
    constexpr size_t Tops = Ones * 0x80;
    size_t done = 0;
    for (; count - done >= sizeof(size_t); done += sizeof(size_t)) {
        size_t word;
        std::memcpy(&word, bytes + done, sizeof word);
        word = ((word | Tops) - Ones * 2) ^ (~word & Tops);
        std::memcpy(bytes + done, &word, sizeof word);
    }
    for (; done < count; ++done)
        bytes[done] = static_cast<uint8_t>(bytes[done] - 2);
}

void EncodeArticleBytes(uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(bytes[i] + 2);
}

std::string EncodeArticleText(std::u16string_view text)
{
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    EncodeArticleBytes(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

size_t ArticleBlockSize(uint32_t fileSize)
{
    const uint64_t even = (static_cast<uint64_t>(fileSize) + 1) & ~uint64_t{1};
    const uint64_t total = even + sizeof(char16_t);
    if (total > SIZE_MAX)
        return 0;
    return static_cast<size_t>(total);
}

std::u16string_view ArticleTextView(const char16_t* units, uint32_t fileSize)
{
    if (!units)
        return {};
    const size_t available = (static_cast<size_t>(fileSize) + 1) / 2;
    const size_t end = FindUnit(std::u16string_view(units, available), 0, u'\0');
    return std::u16string_view(units, end == npos ? available : end);
}

std::u16string_view CutToLimit(std::u16string_view text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t keep = limit;
    // A high surrogate left at the end would show as a broken character.
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
        --keep;
    return text.substr(0, keep);
}

size_t FindHeadword(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match, size_t from)
{
    return HeadwordOf(FindPattern(text, from, RecordPattern{searchText, match == HeadwordMatch::Exact}));
}

size_t FindHeadwordPortable(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match,
                            size_t from)
{
    return HeadwordOf(FindPatternPortable(text, from, RecordPattern{searchText, match == HeadwordMatch::Exact}));
}

size_t FindHeadword(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match,
                    HeadwordStart from)
{
    if (from.offset == npos)
        return npos;
    return FindHeadword(text, searchText, match, RecordFrom(from));
}

WordList ListHeadwordsFrom(std::u16string_view text, size_t position)
{
    WordList list;
    while (list.count < WordListCapacity) {
        const size_t headwordEnd = FindUnit(text, position, RecordBar);
        // A final record prefix with no headword ends the walk like the end of the text.
        if (headwordEnd == npos)
            break;
        list.headwords[list.count++] = CutToLimit(text.substr(position, headwordEnd - position), ListedHeadwordLimit);
        const size_t articleEnd = FindUnit(text, headwordEnd + 1, RecordBar);
        if (articleEnd == npos)
            break;
        position = articleEnd + 1;
    }
    return list;
}

ArticleLookup LookUpArticle(std::u16string_view text, std::u16string_view searchText, size_t from)
{
    return ArticleOf(text, searchText, FindHeadword(text, searchText, HeadwordMatch::Exact, from));
}

ArticleLookup LookUpArticle(std::u16string_view text, std::u16string_view searchText, HeadwordStart from)
{
    return ArticleOf(text, searchText, FindHeadword(text, searchText, HeadwordMatch::Exact, from));
}

std::u16string MissingArticleFileMessage(std::u16string_view baseUrl)
{
    std::u16string text(u"Dictionary article file not found, please try reinstall application or download latest "
                        u"version from ");
    return text.append(baseUrl);
}

std::u16string UnsizedArticleFileMessage(std::u16string_view baseUrl)
{
    std::u16string text(u"Dictionary article file not found, please try reinstall application or download latest "
                        u"version ");
    return text.append(baseUrl);
}
