// Article text: decoding and scanning; no window code here, so the scans are tested natively.
#include "dictionary/article_text.h"

#include <cstring>

void DecodeArticleBytes(uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(bytes[i] - 2);
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
    const char16_t* end = std::char_traits<char16_t>::find(units, available, u'\0');
    return std::u16string_view(units, end ? static_cast<size_t>(end - units) : available);
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

static size_t FindUnit(std::u16string_view text, size_t from, char16_t unit)
{
    if (from >= text.size())
        return std::u16string_view::npos;
    const char16_t* found = std::char_traits<char16_t>::find(text.data() + from, text.size() - from, unit);
    return found ? static_cast<size_t>(found - text.data()) : std::u16string_view::npos;
}

size_t FindHeadword(std::u16string_view text, std::u16string_view searchText, HeadwordMatch match, size_t from)
{
    const size_t needed = searchText.size() + (match == HeadwordMatch::Exact ? 1 : 0);
    // A record prefix is a line feed and a bar; look for the bar and check the line feed before it.
    size_t bar = FindUnit(text, from + 1, RecordBar);
    while (bar != std::u16string_view::npos) {
        const size_t start = bar + 1;
        if (text.size() - start < needed)
            return std::u16string_view::npos;
        if (text[bar - 1] == RecordLineFeed && text.compare(start, searchText.size(), searchText) == 0 &&
            (match == HeadwordMatch::Prefix || text[start + searchText.size()] == RecordBar))
            return start;
        bar = FindUnit(text, start, RecordBar);
    }
    return std::u16string_view::npos;
}

WordList ListHeadwordsFrom(std::u16string_view text, size_t position)
{
    WordList list;
    while (list.count < WordListCapacity) {
        const size_t headwordEnd = FindUnit(text, position, RecordBar);
        // A final record prefix with no headword ends the walk like the end of the text.
        if (headwordEnd == std::u16string_view::npos)
            break;
        list.headwords[list.count++] =
            CutToLimit(text.substr(position, headwordEnd - position), ListedHeadwordLimit);
        const size_t articleEnd = FindUnit(text, headwordEnd + 1, RecordBar);
        if (articleEnd == std::u16string_view::npos)
            break;
        position = articleEnd + 1;
    }
    return list;
}

ArticleLookup LookUpArticle(std::u16string_view text, std::u16string_view searchText, size_t from)
{
    const size_t headword = FindHeadword(text, searchText, HeadwordMatch::Exact, from);
    if (headword == std::u16string_view::npos)
        return {};
    const size_t start = headword + searchText.size() + 1;
    const size_t end = FindUnit(text, start, RecordBar);
    const size_t length = (end == std::u16string_view::npos ? text.size() : end) - start;
    return {true, CutToLimit(text.substr(start, length), ArticleLimit)};
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
