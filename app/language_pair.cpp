// Language pair and module-relative paths, without window code so they are tested natively.
#include "app/language_pair.h"

const std::u16string SourceLanguage = u"English";
std::u16string TargetLanguage = u"Italian";

std::u16string LanguageFromArticleFileName(std::u16string_view fileName)
{
    const size_t underscore = fileName.rfind(u'_');
    std::u16string_view tail = underscore == std::u16string_view::npos ? fileName : fileName.substr(underscore + 1);
    const size_t dot = tail.rfind(u'.');
    if (dot != std::u16string_view::npos)
        tail = tail.substr(0, dot);
    return std::u16string(tail);
}

std::u16string LowerAsciiLetters(std::u16string_view text)
{
    std::u16string lowered(text);
    for (char16_t& unit : lowered)
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
    return lowered;
}

std::u16string ComposeMainWindowTitle(std::u16string_view targetLanguage)
{
    std::u16string title(u"Wordmere English to ");
    title.append(targetLanguage).append(u", ").append(targetLanguage).append(u" to English Talking Dictionary");
    return title;
}

std::u16string ComposeDirectionLabel(std::u16string_view fromLanguage, std::u16string_view toLanguage)
{
    std::u16string label(fromLanguage);
    label.append(u" ").append(toLanguage);
    return label;
}

std::u16string ComposeArticleFileSuffix(std::u16string_view fromLanguage, std::u16string_view toLanguage)
{
    std::u16string suffix(u"\\Articles\\Articles_");
    suffix.append(fromLanguage).append(u"_").append(toLanguage).append(u".dat");
    return suffix;
}

std::u16string ComposePathBesideModule(std::u16string_view modulePath, std::u16string_view suffix, size_t capacity)
{
    const size_t backslash = modulePath.rfind(u'\\');
    const std::u16string_view folder = backslash == std::u16string_view::npos ? std::u16string_view{}
                                                                              : modulePath.substr(0, backslash);
    if (folder.size() + suffix.size() + 1 > capacity)
        return {};
    std::u16string path(folder);
    path.append(suffix);
    return path;
}
