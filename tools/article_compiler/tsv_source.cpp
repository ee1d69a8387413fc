// Reading a tab-separated UTF-8 word list: "headword<TAB>article" lines, "\n" in an article for a line break.
#include "tools/article_compiler/tsv_source.h"

#include "tools/article_compiler/utf_text.h"

static std::u16string DecodeTsvField(std::string_view field, size_t column, const std::string& place)
{
    std::u16string text;
    const size_t bad = AppendUtf16FromUtf8(field, text);
    if (bad != Utf8Valid)
        throw CompileError(place + ": invalid UTF-8 at column " + std::to_string(column + bad + 1));
    return text;
}

// The article's lines: split at each backslash-n; an empty article has no lines.
static std::vector<std::u16string> SplitTsvArticle(const std::u16string& article)
{
    std::vector<std::u16string> lines;
    if (article.empty())
        return lines;
    size_t start = 0;
    for (size_t i = 0; i + 1 < article.size(); ++i) {
        if (article[i] == u'\\' && article[i + 1] == u'n') {
            lines.push_back(article.substr(start, i - start));
            start = i + 2;
            ++i;
        }
    }
    lines.push_back(article.substr(start));
    return lines;
}

std::vector<SourceEntry> ParseTsvText(std::string_view text, const std::string& path)
{
    // A byte-order mark from a Windows editor is no part of the first headword.
    const bool bom = text.substr(0, 3) == "\xEF\xBB\xBF";
    std::vector<SourceEntry> entries;
    size_t number = 0;
    for (size_t start = bom ? 3 : 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::string place = path + ":" + std::to_string(number);
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            throw CompileError(place + ": no tab between headword and article");
        SourceEntry entry;
        entry.headword = DecodeTsvField(line.substr(0, tab), 0, place);
        entry.lines = SplitTsvArticle(DecodeTsvField(line.substr(tab + 1), tab + 1, place));
        entry.place = place;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<SourceEntry> ReadTsvSource(const std::string& path)
{
    std::string text;
    std::string reason;
    if (!ReadWholeFile(path, text, reason))
        throw CompileError("cannot read " + path + ": " + reason);
    return ParseTsvText(text, path);
}
