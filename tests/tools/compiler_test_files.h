// Helpers of the article compiler tests: scratch folders, gzip and dictd fixtures, running the tool, reading back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A fresh, empty folder removed again with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string PathOf(const std::string& name) const;
    void Write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);

// Plain gzip of `data`, as the gzip tool writes it.
std::string GzipBytes(std::string_view data);
// gzip of `data` with a dictzip-like extra field in its header, as dictzip writes it.
std::string DictzipBytes(std::string_view data);

// A dictd index number: base64 digits, most significant first.
std::string EncodeDictdNumber(uint64_t value);

// A dictd database made of entries laid end to end; each index line names key, offset and length.
struct DictdFixtureEntry {
    std::string key;
    std::string text;
};
struct DictdFixture {
    std::string index;
    std::string data;
};
DictdFixture MakeDictdFixture(const std::vector<DictdFixtureEntry>& entries);

// The outcome of running the real executable.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};
ProgramRun RunCompilerProgram(const std::vector<std::string>& arguments, const ScratchFolder& folder);

// The records of an article file as the program sees them: headwords walked with the core's word-list
// scans from the empty search, each with the article that looking up its headword shows.
struct ShownRecord {
    std::u16string headword;
    std::u16string article;
    bool operator==(const ShownRecord&) const = default;
};
std::vector<ShownRecord> ReadShownRecords(const std::string& path);

// The headwords the word list shows for `searchText` typed into the search box.
std::vector<std::u16string> ListedFor(const std::string& path, std::u16string_view searchText);

// Readable forms of texts for failure messages.
std::string Printable(std::u16string_view text);
std::string Printable(const std::vector<ShownRecord>& records);
std::string Printable(const std::vector<std::u16string>& texts);

std::u16string Utf16(std::string_view utf8);
