// UTF-8 and UTF-16 conversions of the compiler, and reading whole files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t Utf8Valid = std::string_view::npos;

// Appends the UTF-16 form of `utf8` to `out`; returns the byte index of the first invalid sequence
// (and leaves `out` with what came before it), or Utf8Valid.
size_t AppendUtf16FromUtf8(std::string_view utf8, std::u16string& out);

// UTF-8 of `text` for messages; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

// A short, printable quotation of `text` for messages: control characters escaped, long texts cut.
std::string QuoteForMessage(std::u16string_view text);

// Reads the whole file into `bytes`; on failure returns false and sets `reason`.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);
