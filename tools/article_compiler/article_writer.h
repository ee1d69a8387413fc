// Writing an article file so that a failure never leaves a file behind: a partial file, renamed when whole.
#pragma once

#include <string>
#include <string_view>

// Where the file is written before it takes its name.
std::string PartialPathOf(const std::string& path);

// Writes `text` encoded as an article file to `path`; throws CompileError, with no partial file left and
// any file already at `path` untouched, when it cannot.
void WriteArticleFile(const std::string& path, std::u16string_view text);
