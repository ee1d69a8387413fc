// Reading a dictd database: its .index lines, its .dict.dz (or plain .dict) data and the entries they point at.
#include "tools/article_compiler/dictd_source.h"

#include <climits>
#include <filesystem>
#include <iterator>
#include <unordered_set>

#include <zlib.h>

#include "tools/article_compiler/utf_text.h"

static int DictdDigit(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool DecodeDictdNumber(std::string_view digits, uint64_t& value)
{
    if (digits.empty())
        return false;
    uint64_t result = 0;
    for (char c : digits) {
        const int digit = DictdDigit(c);
        if (digit < 0 || result > (UINT64_MAX >> 6))
            return false;
        result = (result << 6) | static_cast<uint64_t>(digit);
    }
    value = result;
    return true;
}

std::vector<DictdIndexLine> ParseDictdIndex(std::string_view text, const std::string& path)
{
    std::vector<DictdIndexLine> lines;
    std::u16string key;
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::string place = path + ":" + std::to_string(number);
        std::string_view fields[4];
        size_t fieldCount = 0;
        for (size_t from = 0;;) {
            const size_t tab = line.find('\t', from);
            if (fieldCount < std::size(fields))
                fields[fieldCount] = line.substr(from, tab == std::string_view::npos ? tab : tab - from);
            ++fieldCount;
            if (tab == std::string_view::npos)
                break;
            from = tab + 1;
        }
        if (fieldCount < 3 || fieldCount > 4)
            throw CompileError(place + ": expected key, offset and length separated by tabs, found " +
                               std::to_string(fieldCount) + (fieldCount == 1 ? " field" : " fields"));
        DictdIndexLine entry;
        key.clear();
        const size_t bad = AppendUtf16FromUtf8(fields[0], key);
        if (bad != Utf8Valid)
            throw CompileError(place + ": invalid UTF-8 in the key at column " + std::to_string(bad + 1));
        entry.key = std::string(fields[0]);
        if (!DecodeDictdNumber(fields[1], entry.offset))
            throw CompileError(place + ": offset \"" + std::string(fields[1]) + "\" is not a dictd base64 number");
        if (!DecodeDictdNumber(fields[2], entry.length))
            throw CompileError(place + ": length \"" + std::string(fields[2]) + "\" is not a dictd base64 number");
        entry.lineNumber = number;
        lines.push_back(std::move(entry));
    }
    return lines;
}

std::string InflateDictData(std::string_view compressed, const std::string& path)
{
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip wrapper, whose extra field (dictzip's chunk table) zlib skips.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        throw CompileError(path + ": cannot start decompression");
    const auto* const begin = reinterpret_cast<const Bytef*>(compressed.data());
    const auto* const end = begin + compressed.size();
    stream.next_in = const_cast<Bytef*>(begin);
    std::string data;
    constexpr size_t chunk = 1 << 20;
    const auto fail = [&](const std::string& what) {
        const size_t at = static_cast<size_t>(stream.next_in - begin);
        inflateEnd(&stream);
        throw CompileError(path + ": byte " + std::to_string(at) + ": " + what);
    };
    for (;;) {
        // zlib counts input in uInt, so a huge file is fed in pieces.
        stream.avail_in = static_cast<uInt>(std::min<size_t>(static_cast<size_t>(end - stream.next_in), UINT_MAX));
        const size_t before = data.size();
        data.resize(before + chunk);
        stream.next_out = reinterpret_cast<Bytef*>(data.data() + before);
        stream.avail_out = static_cast<uInt>(chunk);
        const int result = inflate(&stream, Z_NO_FLUSH);
        data.resize(before + chunk - stream.avail_out);
        if (result == Z_STREAM_END) {
            if (stream.next_in == end)
                break;
            // gzip allows members one after another; anything else after the stream is damage.
            if (end - stream.next_in < 2 || stream.next_in[0] != 0x1F || stream.next_in[1] != 0x8B)
                fail("unexpected data after the end of the compressed stream");
            inflateReset(&stream);
            continue;
        }
        if (result == Z_DATA_ERROR)
            fail(std::string("corrupt compressed data (") + (stream.msg ? stream.msg : "invalid stream") + ")");
        if (result == Z_MEM_ERROR)
            fail("out of memory while decompressing");
        if (result == Z_BUF_ERROR || (result == Z_OK && stream.next_in == end && stream.avail_out != 0))
            fail("the compressed data ends early");
        if (result != Z_OK)
            fail("decompression failed");
    }
    inflateEnd(&stream);
    return data;
}

DictdDatabase LoadDictdDatabase(const std::string& base)
{
    DictdDatabase database;
    database.indexPath = base + ".index";
    std::string indexText;
    std::string reason;
    if (!ReadWholeFile(database.indexPath, indexText, reason))
        throw CompileError("cannot read " + database.indexPath + ": " + reason);
    database.index = ParseDictdIndex(indexText, database.indexPath);

    const std::string compressedPath = base + ".dict.dz";
    const std::string plainPath = base + ".dict";
    std::error_code ignored;
    database.compressed =
        std::filesystem::exists(compressedPath, ignored) || !std::filesystem::exists(plainPath, ignored);
    database.dataPath = database.compressed ? compressedPath : plainPath;
    std::string bytes;
    if (!ReadWholeFile(database.dataPath, bytes, reason))
        throw CompileError("cannot read " + database.dataPath +
                           (database.compressed ? " (nor " + plainPath + ")" : "") + ": " + reason);
    database.data = database.compressed ? InflateDictData(bytes, database.dataPath) : std::move(bytes);

    for (const DictdIndexLine& line : database.index) {
        if (line.offset > database.data.size() || line.length > database.data.size() - line.offset)
            throw CompileError(database.indexPath + ":" + std::to_string(line.lineNumber) + ": entry at byte " +
                               std::to_string(line.offset) + " of length " + std::to_string(line.length) +
                               " runs past the end of the data (" + std::to_string(database.data.size()) +
                               " bytes in " + database.dataPath + ")");
    }
    return database;
}

bool IsDictdDatabaseKey(std::string_view key)
{
    return key.substr(0, 10) == "00database" || key.substr(0, 11) == "00-database";
}

static bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\v' || unit == u'\f';
}

static std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

DictdFirstLine SplitDictdFirstLine(std::u16string_view line)
{
    line = Trim(line);
    // The pronunciation is the first " /.../" whose slashes hug non-blank text and whose closing slash
    // ends a word; a " / " between alternatives in a headword has a blank after its slash.
    for (size_t space = line.find(u" /"); space != std::u16string_view::npos; space = line.find(u" /", space + 1)) {
        const size_t open = space + 1;
        if (open + 1 >= line.size() || IsBlank(line[open + 1]) || line[open + 1] == u'/')
            continue;
        const size_t close = line.find(u'/', open + 1);
        if (close == std::u16string_view::npos)
            break;
        if (IsBlank(line[close - 1]) || (close + 1 < line.size() && !IsBlank(line[close + 1])))
            continue;
        return {std::u16string(Trim(line.substr(0, space))), std::u16string(line.substr(open, close + 1 - open)),
                std::u16string(Trim(line.substr(close + 1)))};
    }
    return {std::u16string(line), u"", u""};
}

SourceEntry ParseDictdEntry(std::u16string_view text, const std::string& place)
{
    SourceEntry entry;
    entry.place = place;
    size_t end = text.find(u'\n');
    DictdFirstLine first = SplitDictdFirstLine(text.substr(0, end));
    entry.headword = std::move(first.headword);
    entry.pronunciation = std::move(first.pronunciation);
    if (!first.notes.empty())
        entry.lines.push_back(std::move(first.notes));
    while (end != std::u16string_view::npos) {
        const size_t start = end + 1;
        end = text.find(u'\n', start);
        const std::u16string_view line =
            Trim(text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start));
        if (!line.empty())
            entry.lines.emplace_back(line);
    }
    return entry;
}

namespace {
struct StretchHash {
    size_t operator()(const std::pair<uint64_t, uint64_t>& stretch) const
    {
        return std::hash<uint64_t>()(stretch.first * 0x9E3779B97F4A7C15ull ^ stretch.second);
    }
};
}  // namespace

std::vector<SourceEntry> ReadDictdEntries(const DictdDatabase& database)
{
    std::vector<SourceEntry> entries;
    entries.reserve(database.index.size());
    // Several keys (a word and its abbreviation, inflected forms) often point at one entry: read it once.
    std::unordered_set<std::pair<uint64_t, uint64_t>, StretchHash> seen;
    seen.reserve(database.index.size());
    std::u16string text;
    for (const DictdIndexLine& line : database.index) {
        if (IsDictdDatabaseKey(line.key) || !seen.insert({line.offset, line.length}).second)
            continue;
        const std::string_view bytes(database.data.data() + line.offset, line.length);
        text.clear();
        const size_t bad = AppendUtf16FromUtf8(bytes, text);
        if (bad != Utf8Valid)
            throw CompileError(database.dataPath + ": byte " + std::to_string(line.offset + bad) +
                               (database.compressed ? " of the uncompressed data" : "") + ": invalid UTF-8 (entry of " +
                               database.indexPath + ":" + std::to_string(line.lineNumber) + ")");
        entries.push_back(ParseDictdEntry(text, database.indexPath + ":" + std::to_string(line.lineNumber)));
    }
    return entries;
}

std::string DictdLicenceText(const DictdDatabase& database)
{
    for (const DictdIndexLine& line : database.index) {
        if (line.key != "00databaseinfo" && line.key != "00-database-info")
            continue;
        std::string_view text(database.data.data() + line.offset, line.length);
        // Some dictfmt versions start the entry with its own name; the notice is what follows.
        for (std::string_view name : {"00databaseinfo", "00-database-info"}) {
            if (text.substr(0, name.size()) == name && text.substr(name.size(), 1) == "\n")
                text.remove_prefix(name.size() + 1);
        }
        return std::string(text);
    }
    throw CompileError(database.indexPath + ": no 00-database-info entry");
}
