// Compiles a tab-separated UTF-8 word list (headword, tab, article with "\n" for line breaks) into an article file.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "dictionary/article_text.h"

namespace {

// Appends the UTF-16 form of `utf8` to `out`; false at the first invalid sequence.
bool AppendUtf8(std::string_view utf8, std::u16string& out)
{
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > utf8.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return true;
}

std::string UnescapeLineBreaks(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

int Fail(const std::string& message)
{
    std::cerr << "article_compiler: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::string(argv[1]) != "--tsv")
        return Fail("usage: article_compiler --tsv INPUT.tsv OUTPUT.dat");
    const std::string inputPath = argv[2];
    const std::string outputPath = argv[3];
    std::ifstream input(inputPath, std::ios::binary);
    if (!input)
        return Fail("cannot read " + inputPath);
    std::u16string text;
    std::string line;
    for (size_t number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            return Fail(inputPath + ":" + std::to_string(number) + ": no tab between headword and article");
        text += u"\r\n|";
        if (!AppendUtf8(line.substr(0, tab), text))
            return Fail(inputPath + ":" + std::to_string(number) + ": invalid UTF-8");
        text += u"|";
        if (!AppendUtf8(UnescapeLineBreaks(line.substr(tab + 1)), text))
            return Fail(inputPath + ":" + std::to_string(number) + ": invalid UTF-8");
    }
    text += u"\r\n|";
    const std::string bytes = EncodeArticleText(text);
    // Written beside the target and renamed, so a failure never leaves half a file.
    const std::string partial = outputPath + ".partial";
    {
        std::ofstream output(partial, std::ios::binary | std::ios::trunc);
        output.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!output.good()) {
            std::remove(partial.c_str());
            return Fail("cannot write " + outputPath);
        }
    }
    if (std::rename(partial.c_str(), outputPath.c_str()) != 0) {
        std::remove(partial.c_str());
        return Fail("cannot write " + outputPath);
    }
    return 0;
}
