// The language found in article file names, the texts built from the pair, and paths beside the executable.
#include "app/language_pair.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguagePair, LanguageIsTheLastPartOfTheFileName)
{
    const struct {
        std::u16string_view fileName;
        std::u16string_view language;
    } cases[] = {
        {u"Articles_English_Greek.dat", u"Greek"},
        {u"Articles_English_Brazilian_Portuguese.dat", u"Portuguese"},
        {u"Articles_English_Old.Norse.dat", u"Old.Norse"},
        {u"Articles_English_Greek", u"Greek"},
        {u"Articles_English_.dat", u""},
        {u"Articles_English_\u0395\u03BB\u03BB.dat", u"\u0395\u03BB\u03BB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageFromArticleFileName(c.fileName), c.language);
}

TEST(LanguagePair, OnlyAsciiLettersAreLowered)
{
    EXPECT_EQ(LowerAsciiLetters(u"GrEEk"), u"greek");
    EXPECT_EQ(LowerAsciiLetters(u"\u00C0Z-9 \u0395"), u"\u00C0z-9 \u0395");
    EXPECT_EQ(LowerAsciiLetters(u""), u"");
}

TEST(LanguagePair, TitleTabsAndFileNames)
{
    EXPECT_EQ(ComposeMainWindowTitle(u"Italian"), u"Wordmere English to Italian, Italian to English Talking Dictionary");
    EXPECT_EQ(ComposeDirectionLabel(u"English", u"Greek"), u"English Greek");
    EXPECT_EQ(ComposeArticleFileSuffix(u"Greek", u"English"), u"\\Articles\\Articles_Greek_English.dat");
    EXPECT_EQ(SourceLanguage, u"English");
}

TEST(LanguagePair, PathsBesideTheExecutable)
{
    const std::u16string longFolder = u"C:\\" + std::u16string(500, u'd');
    const struct {
        std::u16string modulePath;
        std::u16string_view suffix;
        std::u16string expected;
    } cases[] = {
        {u"C:\\Tools\\Dict\\wordmere.exe", u"\\Help\\Help.EN.html", u"C:\\Tools\\Dict\\Help\\Help.EN.html"},
        {u"C:\\wordmere.exe", u"\\Articles\\x.dat", u"C:\\Articles\\x.dat"},
        {longFolder + u"\\wordmere.exe", u"\\Articles\\Articles_English_Italian.dat", u""},
        {u"wordmere.exe", u"\\Configuration.dat", u"\\Configuration.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposePathBesideModule(c.modulePath, c.suffix, 520), c.expected);
    // The composed path and its terminator must fit the buffer exactly.
    const std::u16string folder(510, u'f');
    EXPECT_EQ(ComposePathBesideModule(folder + u"\\a.exe", u"\\123456789", 521).size(), 520u);
    EXPECT_EQ(ComposePathBesideModule(folder + u"\\a.exe", u"\\123456789", 520), u"");
}

}  // namespace
