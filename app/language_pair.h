// Language pair: the second language read from an article file's name, and the texts built from the pair.
#pragma once

#include <string>
#include <string_view>

// The first language is fixed; the second is found at start-up and stays Italian when nothing is found.
extern const std::u16string SourceLanguage;
extern std::u16string TargetLanguage;
constexpr std::u16string_view ArticleFilePattern = u"\\Articles\\Articles_English_*.dat";

// The text after the name's last "_", cut at its last "." when it has one.
std::u16string LanguageFromArticleFileName(std::u16string_view fileName);

// Only A to Z are lowered: the result goes into a web address, not a display text.
std::u16string LowerAsciiLetters(std::u16string_view text);

std::u16string ComposeMainWindowTitle(std::u16string_view targetLanguage);
std::u16string ComposeDirectionLabel(std::u16string_view fromLanguage, std::u16string_view toLanguage);
std::u16string ComposeArticleFileSuffix(std::u16string_view fromLanguage, std::u16string_view toLanguage);

// The folder of `modulePath` (the text before its last backslash) followed by `suffix`; empty when
// the result and its terminator would not fit in `capacity` units.
std::u16string ComposePathBesideModule(std::u16string_view modulePath, std::u16string_view suffix, size_t capacity);
