// The article compiler's commands: compile a TSV or dictd source, print a dictd licence, check an article file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes: 0 done (for --check: no problems), 1 bad input or (for --check) problems found,
// 2 a wrong command line or (for --check) an unreadable file.
constexpr int CompilerSucceeded = 0;
constexpr int CompilerFailed = 1;
constexpr int CompilerUsageError = 2;
constexpr int CheckUnreadable = 2;

// Runs the command in `arguments` (without the program name), writing reports to `out` and `err`.
int RunArticleCompiler(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
