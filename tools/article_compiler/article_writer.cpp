// Writing an article file so that a failure never leaves a file behind: a partial file, renamed when whole.
#include "tools/article_compiler/article_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "dictionary/article_text.h"
#include "tools/article_compiler/source_entry.h"

std::string PartialPathOf(const std::string& path)
{
    return path + ".partial";
}

void WriteArticleFile(const std::string& path, std::u16string_view text)
{
    const std::string bytes = EncodeArticleText(text);
    const std::string partial = PartialPathOf(path);
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        throw CompileError("cannot write " + partial + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = errno;
    // A full disk may show only when the buffer is flushed at close.
    const bool closed = std::fclose(file) == 0;
    if (written && !closed)
        error = errno;
    if (!written || !closed) {
        std::remove(partial.c_str());
        throw CompileError("cannot write " + partial + ": " + std::strerror(error));
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        error = errno;
        std::remove(partial.c_str());
        throw CompileError("cannot rename " + partial + " to " + path + ": " + std::strerror(error));
    }
}
