// Building article records from source entries: the fixes the format needs, merged repeats, dictionary order.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/article_compiler/source_entry.h"

constexpr char16_t BarReplacement = u'\u00A6';

// Text the article format cannot hold, each kind counted and reported with its first few places.
enum class TextFix { BarReplaced, ZeroDropped, LongHeadwordLeftOut, EmptyHeadwordLeftOut, LongArticleCut, Count };

struct TextFixTally {
    size_t count = 0;
    std::vector<std::string> examples;
};

struct TextFixReport {
    std::array<TextFixTally, static_cast<size_t>(TextFix::Count)> tallies;
    size_t entryCount = 0;
    size_t mergedHeadwordCount = 0;

    void Note(TextFix fix, const std::string& place, std::u16string_view headword);
    const TextFixTally& Tally(TextFix fix) const { return tallies[static_cast<size_t>(fix)]; }
};

// What a kind of fix did, for the summary line.
const char* TextFixDescription(TextFix fix);
constexpr size_t TextFixExampleLimit = 5;

struct ArticleRecord {
    std::u16string headword;
    std::u16string article;
    std::string place;
};

// ASCII A-Z and the upper-case letters of Latin-1 and Latin Extended-A lowered by their Unicode
// simple lower-case mapping; every other unit is its own fold. No locale, so every machine agrees.
char16_t FoldHeadwordUnit(char16_t unit);

// Negative, zero or positive as `a` sorts before, with or after `b`: folded units first, then the
// units themselves, so "Apple" sits just before "apple" and only equal texts compare equal.
int CompareHeadwords(std::u16string_view a, std::u16string_view b);

// The records of `entries`: bars replaced, zero units dropped, headwords that are empty or over
// 199 units left out, repeated headwords merged (pronunciations once each, then the lines of every
// entry in source order without lines an earlier entry already gave), over-long articles cut, and
// all sorted by CompareHeadwords. Each fix is noted in `report`.
std::vector<ArticleRecord> BuildArticleRecords(std::vector<SourceEntry> entries, TextFixReport& report);

// The article text of `records`: a line end, a bar, the headword, a bar and the article for each,
// then a final line end and bar so that every article, the last one too, ends with a line end.
std::u16string ComposeArticleText(const std::vector<ArticleRecord>& records);
