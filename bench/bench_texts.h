// Texts the benchmarks scan: a deterministic synthetic dictionary and a compiled article file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A decoded text beside the encoded file bytes it came from, so decoding is measured on the same bytes.
struct BenchText {
    std::string name;
    std::string fileBytes;
    std::vector<char16_t> block;
    std::u16string_view text;
};

// Sorted records with headwords of 3 to 20 letters and articles of 20 to 200 units broken by CR LF,
// at least `minimumBytes` long; the same bytes on every run and platform.
BenchText MakeSyntheticText(size_t minimumBytes);

// Reads and decodes an article file the way the program does; false when it cannot be read.
bool LoadArticleFile(const std::string& name, const std::string& path, BenchText& out);

// The first headword at or after `offset` that is one word of 3 to 20 letters, as people mostly type;
// empty when there is none.
std::u16string WordHeadwordAt(std::u16string_view text, size_t offset);

// `text` as UTF-8 for printing.
std::string ToUtf8(std::u16string_view text);
