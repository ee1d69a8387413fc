// Fuzz target: the language read from an article file's name and the texts built from the pair.
#include <string>

#include "app/language_pair.h"
#include "fuzz/fuzz_check.h"

namespace {

std::u16string ReferenceLanguage(std::u16string_view fileName)
{
    size_t tailStart = 0;
    for (size_t i = 0; i < fileName.size(); ++i)
        if (fileName[i] == u'_')
            tailStart = i + 1;
    std::u16string_view tail = fileName.substr(tailStart);
    for (size_t i = tail.size(); i > 0; --i) {
        if (tail[i - 1] == u'.') {
            tail = tail.substr(0, i - 1);
            break;
        }
    }
    return std::u16string(tail);
}

std::u16string ReferenceLower(std::u16string_view text)
{
    std::u16string lowered;
    for (char16_t unit : text)
        lowered.push_back(u'A' <= unit && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit);
    return lowered;
}

std::u16string ReferencePath(std::u16string_view modulePath, std::u16string_view suffix, size_t capacity)
{
    const size_t backslash = modulePath.rfind(u'\\');
    std::u16string path(backslash == std::u16string_view::npos ? u"" : modulePath.substr(0, backslash));
    path.append(suffix);
    return path.size() < capacity ? path : std::u16string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UnitReader reader(data, size);
    const size_t capacity = reader.TakeUnit();
    const std::u16string first = reader.TakeUnits(reader.TakeUnit());
    const std::u16string second = reader.TakeUnits(reader.UnitsLeft());

    CheckSameUnits(LanguageFromArticleFileName(first), ReferenceLanguage(first),
                   "LanguageFromArticleFileName differs from the text after the last _ and before its last .");
    CheckSameUnits(LowerAsciiLetters(first), ReferenceLower(first), "LowerAsciiLetters lowers other than A to Z");
    CheckSameUnits(ComposePathBesideModule(first, second, capacity), ReferencePath(first, second, capacity),
                   "ComposePathBesideModule differs from the folder and suffix when they fit with a terminator");

    // The program finds its second language in the name it would compose for it, when nothing in the
    // name can be taken for a separator.
    if (second.find_first_of(u"_.") == std::u16string::npos) {
        CheckSameUnits(LanguageFromArticleFileName(ComposeArticleFileSuffix(SourceLanguage, second)), second,
                       "the language read from a composed article file name is not the one composed");
    }
    return 0;
}
