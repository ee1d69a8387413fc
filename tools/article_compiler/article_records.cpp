// Building article records from source entries: the fixes the format needs, merged repeats, dictionary order.
#include "tools/article_compiler/article_records.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "dictionary/article_text.h"
#include "tools/article_compiler/utf_text.h"

static const struct {
    TextFix fix;
    const char* description;
} TextFixDescriptions[] = {
    {TextFix::BarReplaced, "'|' replaced by U+00A6 (broken bar)"},
    {TextFix::ZeroDropped, "U+0000 dropped"},
    {TextFix::LongHeadwordLeftOut, "headword over 199 UTF-16 units, entry left out"},
    {TextFix::EmptyHeadwordLeftOut, "empty headword, entry left out"},
    {TextFix::LongArticleCut, "article over 49,999 UTF-16 units, cut"},
};

const char* TextFixDescription(TextFix fix)
{
    for (const auto& entry : TextFixDescriptions) {
        if (entry.fix == fix)
            return entry.description;
    }
    return "";
}

void TextFixReport::Note(TextFix fix, const std::string& place, std::u16string_view headword)
{
    TextFixTally& tally = tallies[static_cast<size_t>(fix)];
    ++tally.count;
    if (tally.examples.size() < TextFixExampleLimit)
        tally.examples.push_back(place + ": " + QuoteForMessage(headword));
}

char16_t FoldHeadwordUnit(char16_t unit)
{
    if (unit >= u'A' && unit <= u'Z')
        return static_cast<char16_t>(unit + 0x20);
    if (unit < 0xC0)
        return unit;
    if (unit <= 0xDE)
        return unit == 0xD7 ? unit : static_cast<char16_t>(unit + 0x20);
    if (unit < 0x100 || unit > 0x17F)
        return unit;
    if (unit == 0x130)
        return u'i';
    if (unit == 0x178)
        return 0xFF;
    // Latin Extended-A pairs an upper-case letter with the lower-case one after it; the pairs start on
    // even units up to U+0137 and from U+014A, on odd units in U+0139-U+0148 and U+0179-U+017E.
    if (unit <= 0x137 || (unit >= 0x14A && unit <= 0x177))
        return static_cast<char16_t>(unit | 1);
    if ((unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E))
        return (unit & 1) ? static_cast<char16_t>(unit + 1) : unit;
    return unit;
}

int CompareHeadwords(std::u16string_view a, std::u16string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char16_t foldedA = FoldHeadwordUnit(a[i]);
        const char16_t foldedB = FoldHeadwordUnit(b[i]);
        if (foldedA != foldedB)
            return foldedA < foldedB ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int raw = a.compare(b);
    return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

namespace {

struct RecordDraft {
    std::u16string headword;
    std::vector<std::u16string> pronunciations;
    std::vector<std::u16string> lines;
    std::string place;
    size_t entryCount = 0;
    // Made only when a second entry arrives; most headwords have one entry.
    std::unique_ptr<std::unordered_set<std::u16string>> seenLines;
};

struct CleanFindings {
    bool bar = false;
    bool zero = false;
};

void CleanText(std::u16string& text, CleanFindings& findings)
{
    bool zero = false;
    for (char16_t& unit : text) {
        if (unit == RecordBar) {
            unit = BarReplacement;
            findings.bar = true;
        }
        zero = zero || unit == u'\0';
    }
    if (zero) {
        std::erase(text, u'\0');
        findings.zero = true;
    }
}

void MergeEntry(RecordDraft& draft, SourceEntry& entry, TextFixReport& report)
{
    if (draft.entryCount++ == 1) {
        ++report.mergedHeadwordCount;
        draft.seenLines = std::make_unique<std::unordered_set<std::u16string>>(draft.lines.begin(), draft.lines.end());
    }
    if (!entry.pronunciation.empty() && std::find(draft.pronunciations.begin(), draft.pronunciations.end(),
                                                  entry.pronunciation) == draft.pronunciations.end())
        draft.pronunciations.push_back(std::move(entry.pronunciation));
    // Lines repeated inside one entry stay; only what an earlier entry already said is dropped.
    std::vector<std::u16string> fresh;
    for (const std::u16string& line : entry.lines) {
        if (line.empty() || draft.seenLines->count(line) == 0)
            fresh.push_back(line);
    }
    draft.seenLines->insert(entry.lines.begin(), entry.lines.end());
    for (std::u16string& line : fresh)
        draft.lines.push_back(std::move(line));
}

std::u16string ComposeArticle(const RecordDraft& draft)
{
    std::u16string article;
    bool first = true;
    for (const auto* part : {&draft.pronunciations, &draft.lines}) {
        for (const std::u16string& line : *part) {
            if (!first)
                article += u"\r\n";
            article += line;
            first = false;
        }
    }
    return article;
}

// The article as read runs on to the line end before the next record's bar, so it may hold two units
// fewer than the limit; cut at the last line end that fits, or inside a single line too long to fit.
bool CutLongArticle(std::u16string& article)
{
    const size_t budget = ArticleLimit - 2;
    if (article.size() <= budget)
        return false;
    const size_t lineEnd = article.rfind(u"\r\n", budget);
    if (lineEnd != std::u16string::npos && lineEnd > 0)
        article.resize(lineEnd);
    else
        article.resize(CutToLimit(article, budget).size());
    return true;
}

}  // namespace

std::vector<ArticleRecord> BuildArticleRecords(std::vector<SourceEntry> entries, TextFixReport& report)
{
    std::vector<RecordDraft> drafts;
    drafts.reserve(entries.size());
    std::unordered_map<std::u16string, size_t> draftOfHeadword;
    draftOfHeadword.reserve(entries.size());
    for (SourceEntry& entry : entries) {
        ++report.entryCount;
        CleanFindings findings;
        CleanText(entry.headword, findings);
        CleanText(entry.pronunciation, findings);
        for (std::u16string& line : entry.lines)
            CleanText(line, findings);
        if (findings.bar)
            report.Note(TextFix::BarReplaced, entry.place, entry.headword);
        if (findings.zero)
            report.Note(TextFix::ZeroDropped, entry.place, entry.headword);
        if (entry.headword.empty()) {
            report.Note(TextFix::EmptyHeadwordLeftOut, entry.place, entry.headword);
            continue;
        }
        if (entry.headword.size() > PickedHeadwordLimit) {
            report.Note(TextFix::LongHeadwordLeftOut, entry.place, entry.headword);
            continue;
        }
        const auto [found, added] = draftOfHeadword.try_emplace(entry.headword, drafts.size());
        if (!added) {
            MergeEntry(drafts[found->second], entry, report);
            continue;
        }
        RecordDraft& draft = drafts.emplace_back();
        draft.headword = std::move(entry.headword);
        if (!entry.pronunciation.empty())
            draft.pronunciations.push_back(std::move(entry.pronunciation));
        draft.lines = std::move(entry.lines);
        draft.place = std::move(entry.place);
        draft.entryCount = 1;
    }
    std::unordered_map<std::u16string, size_t>().swap(draftOfHeadword);
    std::vector<SourceEntry>().swap(entries);

    // Sort keys compared as bytes: the folded units big-endian, a zero unit (no headword holds one, so it
    // sorts a shorter folded text first), then the units themselves.
    std::vector<std::string> keys(drafts.size());
    for (size_t i = 0; i < drafts.size(); ++i) {
        const std::u16string& headword = drafts[i].headword;
        std::string& key = keys[i];
        key.resize(4 * headword.size() + 2);
        char* next = key.data();
        for (char16_t unit : headword) {
            const char16_t folded = FoldHeadwordUnit(unit);
            *next++ = static_cast<char>(folded >> 8);
            *next++ = static_cast<char>(folded & 0xFF);
        }
        *next++ = 0;
        *next++ = 0;
        for (char16_t unit : headword) {
            *next++ = static_cast<char>(unit >> 8);
            *next++ = static_cast<char>(unit & 0xFF);
        }
    }
    std::vector<size_t> order(drafts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    keys.clear();

    std::vector<ArticleRecord> records;
    records.reserve(drafts.size());
    for (size_t index : order) {
        RecordDraft& draft = drafts[index];
        ArticleRecord record{std::move(draft.headword), ComposeArticle(draft), std::move(draft.place)};
        if (CutLongArticle(record.article))
            report.Note(TextFix::LongArticleCut, record.place, record.headword);
        records.push_back(std::move(record));
        draft = RecordDraft();
    }
    return records;
}

std::u16string ComposeArticleText(const std::vector<ArticleRecord>& records)
{
    size_t total = 3;
    for (const ArticleRecord& record : records)
        total += 4 + record.headword.size() + record.article.size();
    std::u16string text;
    text.reserve(total);
    for (const ArticleRecord& record : records) {
        text += u"\r\n|";
        text += record.headword;
        text += RecordBar;
        text += record.article;
    }
    text += u"\r\n|";
    return text;
}
