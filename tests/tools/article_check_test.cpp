// Checking article files: the report on hand-made good and bad files, and its exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/article_text.h"
#include "tests/tools/compiler_test_files.h"
#include "tools/article_compiler/article_check.h"

using namespace std::string_literals;

namespace {

struct CheckCase {
    const char* name;
    std::string bytes;
    int exitCode;
    size_t recordCount;
    std::vector<std::string> reportParts;
};

std::string Encoded(const std::u16string& text)
{
    return EncodeArticleText(text);
}

std::vector<CheckCase> CheckCases()
{
    const std::u16string h199(199, u'h');
    const std::u16string h200(200, u'h');
    // The article as read includes the line end before the next bar.
    const std::u16string fullArticle = std::u16string(49997, u'a') + u"\r\n";
    const std::u16string overArticle = std::u16string(49998, u'a') + u"\r\n";
    return {
        {"compiled form", Encoded(u"\r\n|Apple|x\r\n|apple|y\r\n|b|z\r\n|"), 0, 3,
         {"records: 3\n", "order: ok\n", "problems: none\n"}},
        {"no final prefix", Encoded(u"\r\n|a|x\r\n|b|y"), 0, 2, {"order: ok\n", "problems: none\n"}},
        {"line feeds only", Encoded(u"\n|a|x\n|b|y\n|"), 0, 2, {"problems: none\n"}},
        {"byte-order mark before the first record", Encoded(u"\uFEFF\r\n|a|x\r\n|"), 0, 1, {"problems: none\n"}},
        {"limits reached but not passed", Encoded(u"\r\n|" + h199 + u"|" + fullArticle + u"|"), 0, 1, {"problems: none\n"}},
        {"empty headword and article", Encoded(u"\r\n||\r\n|a|\r\n|"), 0, 2, {"problems: none\n"}},
        {"out of order", Encoded(u"\r\n|b|x\r\n|a|y\r\n|c|z\r\n|B|w\r\n|"), 1, 4,
         {"order: 2 out of order, first: record 1 \"b\" before record 2 \"a\"\n", "problems: none\n"}},
        {"small letter before its capital", Encoded(u"\r\n|apple|x\r\n|Apple|y\r\n|"), 1, 2,
         {"order: 1 out of order, first: record 1 \"apple\" before record 2 \"Apple\"\n"}},
        {"Latin-1 capital sorted by its small letter", Encoded(u"\r\n|\u00C4b|x\r\n|\u00E4c|y\r\n|"), 0, 2,
         {"order: ok\n"}},
        {"repeated headword", Encoded(u"\r\n|a|x\r\n|a|y\r\n|"), 1, 2,
         {"repeated headword (only the first record's article can be looked up): 1\n    record 2 at unit 9: \"a\"\n"}},
        {"odd size", Encoded(u"\r\n|a|x\r\n|") + "\x02", 1, 1,
         {"size: 19 bytes\n", "odd file size: the last byte is half a unit: 1\n    19 bytes\n"}},
        {"headword over 199 units", Encoded(u"\r\n|" + h200 + u"|x\r\n|"), 1, 1,
         {"headword over 199 units: 1\n    record 1 at unit 3: \"" + std::string(40, 'h') + "\"... (200 units)\n"}},
        {"article over 49,999 units", Encoded(u"\r\n|a|" + overArticle + u"|"), 1, 1,
         {"article over 49,999 units: 1\n    record 1 at unit 3: \"a\", article of 50000 units\n"}},
        {"zero unit in an article", Encoded(u"\r\n|a|x\0y\r\n|b|z\r\n|"s), 1, 2,
         {"U+0000 in headword or article (the program's text ends there): 1\n    record 1 at unit 3: \"a\"\n"}},
        {"zero unit in a headword", Encoded(u"\r\n|a|x\r\n|b\0|z\r\n|"s), 1, 2, {"record 2 at unit 9: \"b\\x00\"\n"}},
        {"bar at the start hides the first record", Encoded(u"|a|x\r\n|b|y\r\n|"), 1, 1,
         {"text does not start with a record: 1\n"
          "    a bar in the 5 units before the first record hides text from the word list: \"|a|x\\x0D\"\n"}},
        {"text before the first record", Encoded(u"hello\r\n|a|x\r\n|"), 1, 1,
         {"the 6 units before the first record are never shown: \"hello\\x0D\"\n"}},
        {"record without closing bar", Encoded(u"\r\n|a|x\r\n|be"), 1, 1,
         {"record without closing bar: 1\n    record 2 at unit 9: \"be\"\n"}},
        {"bar without a line feed before it", Encoded(u"\r\n|a|x|b|y\r\n|"), 1, 2,
         {"record bar not after a line feed (listed, but cannot be looked up): 1\n    record 2 at unit 7: \"b\"\n"}},
        {"line break in a headword", Encoded(u"\r\n|a\r\nb|x\r\n|"), 1, 1, {"line break in headword: 1\n"}},
        {"empty file", "", 1, 0, {"size: 0 bytes\n", "records: 0\n", "no records: 1\n"}},
        {"final prefix alone", Encoded(u"\r\n|"), 1, 0, {"no records: 1\n"}},
        {"not shifted: plain UTF-16 of a record", "\n\0|\0a\0|\0b\0"s, 1, 0,
         {"no records: 1\n", "text does not start with a record"}},
        {"several problems at once", Encoded(u"|z|x\r\n|b|x\0\r\n|a|"s + overArticle + u"|c") + "\x01", 1, 2,
         {"order: 1 out of order", "odd file size", "text does not start with a record", "article over 49,999 units",
          "U+0000", "record without closing bar", "problems: 5\n"}},
    };
}

TEST(ArticleCheck, ReportsOnHandMadeFiles)
{
    for (const CheckCase& c : CheckCases()) {
        SCOPED_TRACE(c.name);
        const CheckFindings findings = CheckArticleBytes(c.bytes);
        EXPECT_EQ(findings.recordCount, c.recordCount);
        EXPECT_EQ(findings.fileSize, c.bytes.size());

        ScratchFolder folder;
        folder.Write("articles.dat", c.bytes);
        const ProgramRun run = RunCompilerProgram({"--check", folder.PathOf("articles.dat")}, folder);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
        EXPECT_EQ(run.out.rfind("file: " + folder.PathOf("articles.dat") + "\nsize: ", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("records: " + std::to_string(c.recordCount) + "\n"), std::string::npos) << run.out;
        for (const std::string& part : c.reportParts)
            EXPECT_NE(run.out.find(part), std::string::npos)
                << "expected in the report: " << part << "\nseen:\n" << run.out;
    }
}

TEST(ArticleCheck, LongListsAreCutWithACount)
{
    std::u16string text;
    for (size_t i = 0; i < CheckExampleLimit + 5; ++i)
        text += u"\r\n|same|x";
    const CheckFindings findings = CheckArticleBytes(EncodeArticleText(text));
    const CheckTally& tally = findings.Tally(CheckProblem::RepeatedHeadword);
    EXPECT_EQ(tally.count, CheckExampleLimit + 4);
    EXPECT_EQ(tally.examples.size(), CheckExampleLimit);
    ScratchFolder folder;
    folder.Write("articles.dat", EncodeArticleText(text));
    const ProgramRun run = RunCompilerProgram({"--check", folder.PathOf("articles.dat")}, folder);
    EXPECT_NE(run.out.find("    (4 more not listed)\n"), std::string::npos) << run.out;
}

TEST(ArticleCheck, UnreadableFileExitsWithTwo)
{
    const struct {
        const char* name;
        std::string path;
        std::string message;
    } cases[] = {
        {"missing file", "absent.dat", "absent.dat: No such file or directory"},
        {"folder", "", "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const ProgramRun run = RunCompilerProgram({"--check", folder.PathOf(c.path)}, folder);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("article_compiler: cannot read "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
}

}  // namespace
