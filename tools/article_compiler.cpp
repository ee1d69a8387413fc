// The article compiler's command line: compiles TSV or dictd sources into article files and checks them.
#include <iostream>
#include <string>
#include <vector>

#include "tools/article_compiler/compiler_command.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunArticleCompiler(arguments, std::cout, std::cerr);
}
