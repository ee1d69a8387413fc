// UTF-8 and UTF-16 conversions of the compiler, and reading whole files.
#include "tools/article_compiler/utf_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

size_t AppendUtf16FromUtf8(std::string_view utf8, std::u16string& out)
{
    static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    // Written through a pointer into room made once: a UTF-8 byte never gives more than one unit.
    const size_t start = out.size();
    out.resize(start + utf8.size());
    char16_t* next = out.data() + start;
    const auto finish = [&](size_t result) {
        out.resize(static_cast<size_t>(next - out.data()));
        return result;
    };
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            *next++ = lead;
            ++i;
            continue;
        }
        const size_t length = (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || length > utf8.size() - i)
            return finish(i);
        char32_t code = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const unsigned char continuation = static_cast<unsigned char>(utf8[i + k]);
            if ((continuation & 0xC0) != 0x80)
                return finish(i);
            code = (code << 6) | (continuation & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return finish(i);
        if (code >= 0x10000) {
            *next++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            *next++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *next++ = static_cast<char16_t>(code);
        }
        i += length;
    }
    return finish(Utf8Valid);
}

static void AppendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string Utf8FromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00), out);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(0xFFFD, out);
        } else {
            AppendUtf8(unit, out);
        }
    }
    return out;
}

std::string QuoteForMessage(std::u16string_view text)
{
    constexpr size_t shown = 40;
    std::u16string escaped;
    for (size_t i = 0; i < text.size() && i < shown; ++i) {
        const char16_t unit = text[i];
        if (unit < 0x20 || unit == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            escaped += u"\\x";
            escaped.push_back(static_cast<char16_t>(hex[unit >> 4]));
            escaped.push_back(static_cast<char16_t>(hex[unit & 0xF]));
        } else {
            escaped.push_back(unit);
        }
    }
    std::string quoted = "\"";
    quoted += Utf8FromUtf16(escaped);
    quoted += '"';
    if (text.size() > shown)
        quoted += "... (" + std::to_string(text.size()) + " units)";
    return quoted;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    bytes.clear();
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    // A folder opens on Linux and fails only at the first read.
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        reason = std::strerror(error);
        return false;
    }
    return true;
}
