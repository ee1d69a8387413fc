// Building the synthetic dictionary text and loading compiled article files for the benchmarks.
#include "bench/bench_texts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "dictionary/article_text.h"

namespace {

// splitmix64: tiny and the same everywhere, unlike the standard distributions.
struct Random {
    uint64_t state;
    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }
    size_t Between(size_t low, size_t high) { return low + Below(high - low + 1); }
};

// Letters weighted roughly as in English text, so some initial letters cover far more records than others.
constexpr std::string_view WeightedLetters =
    "eeeeeeeeeeeeetttttttttaaaaaaaaooooooooiiiiiiinnnnnnnsssssshhhhhhrrrrrrddddllllccuummwwffggyyppbbvkjxqz";

char16_t RandomLetter(Random& random)
{
    return static_cast<char16_t>(WeightedLetters[random.Below(WeightedLetters.size())]);
}

std::u16string RandomHeadword(Random& random)
{
    std::u16string word(random.Between(3, 20), u'a');
    for (char16_t& unit : word)
        unit = RandomLetter(random);
    return word;
}

// Words of the second language with now and then an umlaut or sharp s, lines broken by CR LF.
void AppendRandomArticle(Random& random, std::u16string& out)
{
    static const char16_t Accented[] = {u'\u00E4', u'\u00F6', u'\u00FC', u'\u00DF', u'\u00E9'};
    const size_t length = random.Between(20, 200);
    const size_t start = out.size();
    size_t lineStart = start;
    size_t lineLength = random.Between(30, 70);
    while (out.size() - start < length) {
        const size_t left = length - (out.size() - start);
        if (out.size() - lineStart >= lineLength && left >= 3) {
            out += u"\r\n";
            lineStart = out.size();
            lineLength = random.Between(30, 70);
            continue;
        }
        const uint64_t roll = random.Below(100);
        if (roll < 15)
            out += u' ';
        else if (roll < 17)
            out += Accented[random.Below(std::size(Accented))];
        else if (roll < 19)
            out += u",;.()"[random.Below(5)];
        else
            out += RandomLetter(random);
    }
}

void FillBlock(BenchText& out)
{
    const uint32_t fileSize = static_cast<uint32_t>(out.fileBytes.size());
    out.block.assign(ArticleBlockSize(fileSize) / sizeof(char16_t), u'\0');
    std::memcpy(out.block.data(), out.fileBytes.data(), fileSize);
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(out.block.data()), fileSize);
    out.text = ArticleTextView(out.block.data(), fileSize);
}

}  // namespace

BenchText MakeSyntheticText(size_t minimumBytes)
{
    const size_t minimumUnits = (minimumBytes + 1) / 2;
    // About 125 units a record; add records in the rare case that the target is not met.
    size_t count = minimumUnits / 120 + 1;
    for (;;) {
        Random random{20240601};
        std::vector<std::u16string> headwords(count);
        for (std::u16string& headword : headwords)
            headword = RandomHeadword(random);
        std::sort(headwords.begin(), headwords.end());
        std::u16string text;
        text.reserve(minimumUnits + minimumUnits / 4);
        for (const std::u16string& headword : headwords) {
            text += u"\r\n|";
            text += headword;
            text += u'|';
            AppendRandomArticle(random, text);
        }
        if (text.size() >= minimumUnits) {
            BenchText out;
            out.name = "synthetic";
            out.fileBytes = EncodeArticleText(text);
            FillBlock(out);
            return out;
        }
        count += count / 10;
    }
}

bool LoadArticleFile(const std::string& name, const std::string& path, BenchText& out)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    out.name = name;
    out.fileBytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (out.fileBytes.empty() || out.fileBytes.size() > UINT32_MAX)
        return false;
    FillBlock(out);
    return true;
}

std::u16string WordHeadwordAt(std::u16string_view text, size_t offset)
{
    const auto isLetter = [](char16_t unit) {
        return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    };
    for (size_t prefix = text.find(u"\n|", offset); prefix != std::u16string_view::npos;
         prefix = text.find(u"\n|", prefix + 2)) {
        const size_t start = prefix + 2;
        const size_t end = text.find(u'|', start);
        if (end == std::u16string_view::npos)
            break;
        const std::u16string_view headword = text.substr(start, end - start);
        if (headword.size() >= 3 && headword.size() <= 20 && std::all_of(headword.begin(), headword.end(), isLetter))
            return std::u16string(headword);
    }
    return {};
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size())
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
