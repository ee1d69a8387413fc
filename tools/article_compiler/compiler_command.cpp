// The article compiler's commands: compile a TSV or dictd source, print a dictd licence, check an article file.
#include "tools/article_compiler/compiler_command.h"

#include <exception>
#include <new>

#include "tools/article_compiler/article_check.h"
#include "tools/article_compiler/article_records.h"
#include "tools/article_compiler/article_writer.h"
#include "tools/article_compiler/dictd_source.h"
#include "tools/article_compiler/tsv_source.h"
#include "tools/article_compiler/utf_text.h"

namespace {

const char Usage[] =
    "usage: article_compiler --tsv INPUT.tsv OUTPUT.dat\n"
    "       article_compiler --dictd BASE OUTPUT.dat   (reads BASE.index and BASE.dict.dz, or BASE.dict)\n"
    "       article_compiler --licence BASE            (prints the database's 00-database-info entry)\n"
    "       article_compiler --check FILE.dat\n";

const char Prefix[] = "article_compiler: ";

void ReportFixes(const TextFixReport& report, std::ostream& err)
{
    for (size_t kind = 0; kind < report.tallies.size(); ++kind) {
        const TextFixTally& tally = report.tallies[kind];
        if (tally.count == 0)
            continue;
        err << Prefix << TextFixDescription(static_cast<TextFix>(kind)) << ": " << tally.count << "\n";
        for (const std::string& example : tally.examples)
            err << "    " << example << "\n";
    }
}

int CompileEntries(std::vector<SourceEntry> entries, const std::string& source, const std::string& output,
                   std::ostream& err)
{
    TextFixReport report;
    std::vector<ArticleRecord> records = BuildArticleRecords(std::move(entries), report);
    ReportFixes(report, err);
    if (records.empty())
        throw CompileError(source + ": no records to write (every entry was empty or left out)");
    const size_t recordCount = records.size();
    const std::u16string text = ComposeArticleText(records);
    // A big dictionary's records and its text are each over a hundred megabytes; keep only one.
    std::vector<ArticleRecord>().swap(records);
    WriteArticleFile(output, text);
    err << Prefix << "wrote " << output << ": " << recordCount << " records from " << report.entryCount
        << " entries (repeated headwords merged: " << report.mergedHeadwordCount << ")\n";
    return CompilerSucceeded;
}

int CompileTsv(const std::vector<std::string>& operands, std::ostream&, std::ostream& err)
{
    return CompileEntries(ReadTsvSource(operands[0]), operands[0], operands[1], err);
}

int CompileDictd(const std::vector<std::string>& operands, std::ostream&, std::ostream& err)
{
    std::vector<SourceEntry> entries;
    std::string indexPath;
    {
        // The uncompressed data is let go once its entries are read.
        const DictdDatabase database = LoadDictdDatabase(operands[0]);
        entries = ReadDictdEntries(database);
        indexPath = database.indexPath;
    }
    return CompileEntries(std::move(entries), indexPath, operands[1], err);
}

int PrintLicence(const std::vector<std::string>& operands, std::ostream& out, std::ostream&)
{
    out << DictdLicenceText(LoadDictdDatabase(operands[0]));
    return out.good() ? CompilerSucceeded : CompilerFailed;
}

int CheckFile(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err)
{
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(operands[0], bytes, reason)) {
        err << Prefix << "cannot read " << operands[0] << ": " << reason << "\n";
        return CheckUnreadable;
    }
    const CheckFindings findings = CheckArticleBytes(bytes);
    PrintCheckReport(operands[0], findings, out);
    return findings.ProblemCount() == 0 ? CompilerSucceeded : CompilerFailed;
}

const struct {
    const char* option;
    size_t operandCount;
    int (*run)(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
} Commands[] = {
    {"--tsv", 2, CompileTsv},
    {"--dictd", 2, CompileDictd},
    {"--licence", 1, PrintLicence},
    {"--check", 1, CheckFile},
};

}  // namespace

int RunArticleCompiler(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    for (const auto& command : Commands) {
        if (arguments.empty() || arguments[0] != command.option || arguments.size() != command.operandCount + 1)
            continue;
        const std::vector<std::string> operands(arguments.begin() + 1, arguments.end());
        try {
            return command.run(operands, out, err);
        } catch (const CompileError& error) {
            err << Prefix << error.what() << "\n";
        } catch (const std::bad_alloc&) {
            err << Prefix << "out of memory\n";
        } catch (const std::exception& error) {
            err << Prefix << error.what() << "\n";
        }
        return command.run == CheckFile ? CheckUnreadable : CompilerFailed;
    }
    err << Usage;
    return CompilerUsageError;
}
