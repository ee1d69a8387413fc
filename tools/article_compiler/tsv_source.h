// Reading a tab-separated UTF-8 word list: "headword<TAB>article" lines, "\n" in an article for a line break.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/article_compiler/source_entry.h"

// The entries of a word list held in `text`, named `path` in places and messages; throws CompileError
// for a line without a tab or with invalid UTF-8.
std::vector<SourceEntry> ParseTsvText(std::string_view text, const std::string& path);

// The same, reading the file first; throws CompileError when it cannot be read.
std::vector<SourceEntry> ReadTsvSource(const std::string& path);
