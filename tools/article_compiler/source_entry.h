// What every source reader yields: entries of headword, pronunciation and lines, each with its source place.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A source entry before the fixes the article format needs: as written in its source.
struct SourceEntry {
    std::u16string headword;
    std::u16string pronunciation;
    std::vector<std::u16string> lines;
    std::string place;
};

// Input the compiler cannot use; the message names the file and the place in it.
class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
