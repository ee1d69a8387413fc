// Reading a dictd database: its .index lines, its .dict.dz (or plain .dict) data and the entries they point at.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/article_compiler/source_entry.h"

// Value of a dictd index number: base64 digits A-Z a-z 0-9 + /, most significant first;
// false when empty, holding another character, or too large for 64 bits.
bool DecodeDictdNumber(std::string_view digits, uint64_t& value);

struct DictdIndexLine {
    std::string key;
    uint64_t offset = 0;
    uint64_t length = 0;
    size_t lineNumber = 0;
};

// The lines of an index held in `text`; throws CompileError naming `path` and the line when one is
// not "key<TAB>offset<TAB>length" (a fourth field, the original headword, is allowed).
std::vector<DictdIndexLine> ParseDictdIndex(std::string_view text, const std::string& path);

// The whole uncompressed data of a gzip (dictzip) file; throws CompileError naming `path` and the
// byte offset in it where the compressed stream is corrupt or ends early.
std::string InflateDictData(std::string_view compressed, const std::string& path);

struct DictdDatabase {
    std::string indexPath;
    std::string dataPath;
    bool compressed = false;
    std::vector<DictdIndexLine> index;
    std::string data;
};

// Reads BASE.index and BASE.dict.dz, or BASE.dict when there is no BASE.dict.dz, and checks that every
// index line points inside the data; throws CompileError otherwise.
DictdDatabase LoadDictdDatabase(const std::string& base);

// True for the keys of the 00-database-* entries, which describe the database and are no headwords.
bool IsDictdDatabaseKey(std::string_view key);

struct DictdFirstLine {
    std::u16string headword;
    std::u16string pronunciation;
    std::u16string notes;
};

// Splits an entry's first line into the headword as written, its pronunciation and the notes after it
// ("give /ɡˈɪv/ (gave /ɡˈeɪv/) <v>" gives "give", "/ɡˈɪv/" and "(gave /ɡˈeɪv/) <v>"); without a
// pronunciation the whole line is the headword.
DictdFirstLine SplitDictdFirstLine(std::u16string_view line);

// The entry held in `text`: headword and pronunciation from its first line; as lines, the notes of the
// first line and then every other line, trimmed, empty ones dropped.
SourceEntry ParseDictdEntry(std::u16string_view text, const std::string& place);

// One entry for each distinct stretch of data that a headword's index line points at, in index order;
// throws CompileError naming the data file and byte offset when an entry is not valid UTF-8.
std::vector<SourceEntry> ReadDictdEntries(const DictdDatabase& database);

// The text of the 00-database-info entry (the data's description and licence); throws CompileError
// when the database has none.
std::string DictdLicenceText(const DictdDatabase& database);
