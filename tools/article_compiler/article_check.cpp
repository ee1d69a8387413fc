// Checking an article file: record count, dictionary order, and every record the program cannot show whole.
#include "tools/article_compiler/article_check.h"

#include <cstring>

#include "dictionary/article_text.h"
#include "tools/article_compiler/article_records.h"
#include "tools/article_compiler/utf_text.h"

static const struct {
    CheckProblem problem;
    const char* description;
} CheckProblemDescriptions[] = {
    {CheckProblem::OddSize, "odd file size: the last byte is half a unit"},
    {CheckProblem::TooLarge, "file too large for the program to load (over 4 GiB)"},
    {CheckProblem::NoRecords, "no records"},
    {CheckProblem::LeadIn, "text does not start with a record"},
    {CheckProblem::LongHeadword, "headword over 199 units"},
    {CheckProblem::LongArticle, "article over 49,999 units"},
    {CheckProblem::ZeroUnit, "U+0000 in headword or article (the program's text ends there)"},
    {CheckProblem::LineBreakInHeadword, "line break in headword"},
    {CheckProblem::UnclosedRecord, "record without closing bar"},
    {CheckProblem::BarWithoutLineFeed, "record bar not after a line feed (listed, but cannot be looked up)"},
    {CheckProblem::RepeatedHeadword, "repeated headword (only the first record's article can be looked up)"},
};

const char* CheckProblemDescription(CheckProblem problem)
{
    for (const auto& entry : CheckProblemDescriptions) {
        if (entry.problem == problem)
            return entry.description;
    }
    return "";
}

void CheckFindings::Note(CheckProblem problem, const std::string& example)
{
    CheckTally& tally = problems[static_cast<size_t>(problem)];
    ++tally.count;
    if (tally.examples.size() < CheckExampleLimit)
        tally.examples.push_back(example);
}

size_t CheckFindings::ProblemCount() const
{
    size_t total = outOfOrderCount;
    for (const CheckTally& tally : problems)
        total += tally.count;
    return total;
}

namespace {

bool Holds(std::u16string_view text, char16_t unit)
{
    return text.find(unit) != std::u16string_view::npos;
}

std::string DescribeRecord(size_t number, size_t unit, std::u16string_view headword)
{
    return "record " + std::to_string(number) + " at unit " + std::to_string(unit) + ": " + QuoteForMessage(headword);
}

// The lead-in is what comes before the first record's line feed; a line end or byte-order mark there is harmless.
void CheckLeadIn(std::u16string_view leadIn, CheckFindings& findings)
{
    if (Holds(leadIn, RecordBar)) {
        findings.Note(CheckProblem::LeadIn,
                      "a bar in the " + std::to_string(leadIn.size()) +
                          " units before the first record hides text from the word list: " + QuoteForMessage(leadIn));
    } else if (leadIn.find_first_not_of(u"\r\n\uFEFF") != std::u16string_view::npos) {
        findings.Note(CheckProblem::LeadIn,
                      "the " + std::to_string(leadIn.size()) +
                          " units before the first record are never shown: " + QuoteForMessage(leadIn));
    }
    if (Holds(leadIn, u'\0'))
        findings.Note(CheckProblem::ZeroUnit, "before the first record");
}

// Walks the records as the word list does: from the first line feed and bar, headword and article
// alternate between bars; the text's final line end and bar (no headword after it) ends the walk.
void CheckRecords(std::u16string_view text, CheckFindings& findings)
{
    size_t bar = text.find(RecordBar, 1);
    while (bar != std::u16string_view::npos && text[bar - 1] != RecordLineFeed)
        bar = text.find(RecordBar, bar + 1);
    CheckLeadIn(text.substr(0, bar == std::u16string_view::npos ? text.size() : bar - 1), findings);
    if (bar == std::u16string_view::npos)
        return;
    std::u16string_view previous;
    size_t position = bar + 1;
    for (;;) {
        const size_t headwordEnd = text.find(RecordBar, position);
        if (headwordEnd == std::u16string_view::npos) {
            if (position < text.size())
                findings.Note(CheckProblem::UnclosedRecord,
                              DescribeRecord(findings.recordCount + 1, position, text.substr(position)));
            return;
        }
        const std::u16string_view headword = text.substr(position, headwordEnd - position);
        const size_t articleEnd = text.find(RecordBar, headwordEnd + 1);
        const std::u16string_view article =
            text.substr(headwordEnd + 1, articleEnd == std::u16string_view::npos ? std::u16string_view::npos
                                                                                 : articleEnd - headwordEnd - 1);
        const size_t number = ++findings.recordCount;
        const auto described = [&] { return DescribeRecord(number, position, headword); };
        if (headword.size() > PickedHeadwordLimit)
            findings.Note(CheckProblem::LongHeadword, described());
        if (article.size() > ArticleLimit)
            findings.Note(CheckProblem::LongArticle,
                          described() + ", article of " + std::to_string(article.size()) + " units");
        if (Holds(headword, u'\0') || Holds(article, u'\0'))
            findings.Note(CheckProblem::ZeroUnit, described());
        if (Holds(headword, u'\r') || Holds(headword, u'\n'))
            findings.Note(CheckProblem::LineBreakInHeadword, described());
        if (number > 1) {
            const int order = CompareHeadwords(previous, headword);
            if (order == 0) {
                findings.Note(CheckProblem::RepeatedHeadword, described());
            } else if (order > 0 && findings.outOfOrderCount++ == 0) {
                findings.firstOutOfOrder = "record " + std::to_string(number - 1) + " " + QuoteForMessage(previous) +
                                           " before record " + std::to_string(number) + " " + QuoteForMessage(headword);
            }
        }
        previous = headword;
        if (articleEnd == std::u16string_view::npos)
            return;
        position = articleEnd + 1;
        if (position < text.size() && text[articleEnd - 1] != RecordLineFeed) {
            const size_t nextEnd = text.find(RecordBar, position);
            findings.Note(
                CheckProblem::BarWithoutLineFeed,
                DescribeRecord(number + 1, position,
                               text.substr(position, nextEnd == std::u16string_view::npos ? std::u16string_view::npos
                                                                                          : nextEnd - position)));
        }
    }
}

}  // namespace

CheckFindings CheckArticleBytes(std::string_view bytes)
{
    CheckFindings findings;
    findings.fileSize = bytes.size();
    if (bytes.size() > UINT32_MAX) {
        findings.Note(CheckProblem::TooLarge, std::to_string(bytes.size()) + " bytes");
        return findings;
    }
    if (bytes.size() % 2 != 0)
        findings.Note(CheckProblem::OddSize, std::to_string(bytes.size()) + " bytes");
    // Laid out as the program loads it: zero-filled block, file bytes decoded, then units.
    const uint32_t fileSize = static_cast<uint32_t>(bytes.size());
    std::u16string block(ArticleBlockSize(fileSize) / 2, u'\0');
    std::memcpy(block.data(), bytes.data(), bytes.size());
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(block.data()), bytes.size());
    // The half unit of an odd size is reported as such, not again as text.
    CheckRecords(std::u16string_view(block.data(), bytes.size() / 2), findings);
    if (findings.recordCount == 0)
        findings.Note(CheckProblem::NoRecords, "nothing for the word list to show");
    return findings;
}

void PrintCheckReport(const std::string& path, const CheckFindings& findings, std::ostream& out)
{
    out << "file: " << path << "\n";
    out << "size: " << findings.fileSize << " bytes\n";
    out << "records: " << findings.recordCount << "\n";
    if (findings.outOfOrderCount == 0)
        out << "order: ok\n";
    else
        out << "order: " << findings.outOfOrderCount << " out of order, first: " << findings.firstOutOfOrder << "\n";
    const size_t problemCount = findings.ProblemCount() - findings.outOfOrderCount;
    if (problemCount == 0) {
        out << "problems: none\n";
        return;
    }
    out << "problems: " << problemCount << "\n";
    for (const auto& entry : CheckProblemDescriptions) {
        const CheckTally& tally = findings.Tally(entry.problem);
        if (tally.count == 0)
            continue;
        out << "  " << entry.description << ": " << tally.count << "\n";
        for (const std::string& example : tally.examples)
            out << "    " << example << "\n";
        if (tally.count > tally.examples.size())
            out << "    (" << tally.count - tally.examples.size() << " more not listed)\n";
    }
}
