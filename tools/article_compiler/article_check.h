// Checking an article file: record count, dictionary order, and every record the program cannot show whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class CheckProblem {
    OddSize,
    TooLarge,
    NoRecords,
    LeadIn,
    LongHeadword,
    LongArticle,
    ZeroUnit,
    LineBreakInHeadword,
    UnclosedRecord,
    BarWithoutLineFeed,
    RepeatedHeadword,
    Count
};

// What a kind of problem is, for the report.
const char* CheckProblemDescription(CheckProblem problem);
constexpr size_t CheckExampleLimit = 20;

struct CheckTally {
    size_t count = 0;
    std::vector<std::string> examples;
};

struct CheckFindings {
    uint64_t fileSize = 0;
    size_t recordCount = 0;
    size_t outOfOrderCount = 0;
    std::string firstOutOfOrder;
    std::array<CheckTally, static_cast<size_t>(CheckProblem::Count)> problems;

    void Note(CheckProblem problem, const std::string& example);
    const CheckTally& Tally(CheckProblem problem) const { return problems[static_cast<size_t>(problem)]; }
    size_t ProblemCount() const;
};

// The findings on the bytes of an article file, read the way the program reads them.
CheckFindings CheckArticleBytes(std::string_view bytes);

// The report on standard output of --check.
void PrintCheckReport(const std::string& path, const CheckFindings& findings, std::ostream& out);
