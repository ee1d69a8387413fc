// Helpers of the article compiler tests: scratch folders, gzip and dictd fixtures, running the tool, reading back.
#include "tests/tools/compiler_test_files.h"

#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "dictionary/article_text.h"
#include "tools/article_compiler/utf_text.h"

ScratchFolder::ScratchFolder()
{
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("wordmere-compiler-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::PathOf(const std::string& name) const
{
    return (path_ / name).string();
}

void ScratchFolder::Write(const std::string& name, std::string_view bytes) const
{
    std::ofstream file(PathOf(name), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("test could not write " + PathOf(name));
}

bool FileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("test could not read " + path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

static std::string Deflate(std::string_view data, int windowBits)
{
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("test could not start deflate");
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("test could not deflate");
    return out;
}

static void AppendLittleEndian(std::string& out, uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string GzipBytes(std::string_view data)
{
    return Deflate(data, 16 + MAX_WBITS);
}

std::string DictzipBytes(std::string_view data)
{
    // Header: magic, deflate, FEXTRA flag, time, extra flags, OS; then the "RA" field dictzip uses for
    // its chunk table (version 1, chunk length, chunk count, chunk sizes: contents that zlib skips).
    std::string out = {'\x1F', '\x8B', '\x08', '\x04'};
    AppendLittleEndian(out, 0, 4);
    out += {'\x02', '\x03'};
    const std::string field = {'\x01', '\x00', '\x00', '\x10', '\x01', '\x00', '\x34', '\x12'};
    AppendLittleEndian(out, static_cast<uint32_t>(4 + field.size()), 2);
    out += "RA";
    AppendLittleEndian(out, static_cast<uint32_t>(field.size()), 2);
    out += field;
    out += Deflate(data, -MAX_WBITS);
    AppendLittleEndian(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()),
                                                        static_cast<uInt>(data.size()))),
                       4);
    AppendLittleEndian(out, static_cast<uint32_t>(data.size()), 4);
    return out;
}

std::string EncodeDictdNumber(uint64_t value)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 63]);
        value >>= 6;
    } while (value != 0);
    return text;
}

DictdFixture MakeDictdFixture(const std::vector<DictdFixtureEntry>& entries)
{
    DictdFixture fixture;
    for (const DictdFixtureEntry& entry : entries) {
        fixture.index += entry.key + "\t" + EncodeDictdNumber(fixture.data.size()) + "\t" +
                         EncodeDictdNumber(entry.text.size()) + "\n";
        fixture.data += entry.text;
    }
    return fixture;
}

static std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

ProgramRun RunCompilerProgram(const std::vector<std::string>& arguments, const ScratchFolder& folder)
{
    std::string command = Quoted(ARTICLE_COMPILER_PATH);
    for (const std::string& argument : arguments)
        command += " " + Quoted(argument);
    const std::string outPath = folder.PathOf("run.out");
    const std::string errPath = folder.PathOf("run.err");
    command += " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

// The text the program holds after loading the file: the block, decoded, up to the first zero unit.
static std::u16string LoadedText(const std::string& path)
{
    const std::string bytes = ReadFileBytes(path);
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    std::u16string block(ArticleBlockSize(size) / 2, u'\0');
    std::memcpy(block.data(), bytes.data(), bytes.size());
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(block.data()), bytes.size());
    return std::u16string(ArticleTextView(block.data(), size));
}

std::vector<ShownRecord> ReadShownRecords(const std::string& path)
{
    const std::u16string text = LoadedText(path);
    std::vector<ShownRecord> records;
    size_t position = FindHeadword(text, u"", HeadwordMatch::Prefix);
    // Each page of the word list starts again at the last headword of the page before.
    for (size_t first = 0; position != std::u16string::npos; first = 1) {
        const WordList list = ListHeadwordsFrom(text, position);
        for (size_t i = first; i < list.count; ++i) {
            const ArticleLookup lookup = LookUpArticle(text, list.headwords[i]);
            records.push_back({std::u16string(list.headwords[i]),
                               lookup.found ? std::u16string(lookup.article) : u"<not found>"});
        }
        if (list.count < WordListCapacity)
            break;
        position = static_cast<size_t>(list.headwords[WordListCapacity - 1].data() - text.data());
    }
    return records;
}

std::vector<std::u16string> ListedFor(const std::string& path, std::u16string_view searchText)
{
    const std::u16string text = LoadedText(path);
    std::vector<std::u16string> listed;
    const size_t position = FindHeadword(text, searchText, HeadwordMatch::Prefix);
    if (position == std::u16string::npos)
        return listed;
    const WordList list = ListHeadwordsFrom(text, position);
    for (size_t i = 0; i < list.count; ++i)
        listed.emplace_back(list.headwords[i]);
    return listed;
}

std::string Printable(std::u16string_view text)
{
    return QuoteForMessage(text.substr(0, 200));
}

std::string Printable(const std::vector<ShownRecord>& records)
{
    std::string out;
    for (const ShownRecord& record : records)
        out += "\n  " + Printable(record.headword) + " -> " + Printable(record.article);
    return out;
}

std::string Printable(const std::vector<std::u16string>& texts)
{
    std::string out = "{";
    for (const std::u16string& text : texts)
        out += (out.size() > 1 ? ", " : "") + Printable(text);
    return out + "}";
}

std::u16string Utf16(std::string_view utf8)
{
    std::u16string text;
    if (AppendUtf16FromUtf8(utf8, text) != Utf8Valid)
        throw std::runtime_error("test text is not UTF-8");
    return text;
}
