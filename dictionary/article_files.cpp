// Article files: read once at start-up into one block each, decoded in place, kept until the window goes.
#include "dictionary/article_files.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/language_pair.h"
#include "app/startup.h"
#include "app/win32_text.h"
#include "dictionary/article_text.h"
#include "info/web_links.h"

ArticleBuffer ArticleBuffers[2];

namespace {

enum class FileRead { Loaded, NotOpened, NotSized };

const wchar_t InfoCaption[] = L"Info Message";

void ShowArticleMessage(std::u16string (*compose)(std::u16string_view))
{
    // Out of memory for the text: the box is skipped rather than taking the program down.
    try {
        const std::wstring text = ToWide(compose(BaseUrl));
        MessageBoxW(MainWindow, text.c_str(), InfoCaption, MB_OK);
    } catch (...) {
    }
}

FileRead ReadArticleFile(std::u16string_view fromLanguage, std::u16string_view toLanguage, ArticleBuffer& buffer)
{
    const std::wstring path = PathBesideModule(ComposeArticleFileSuffix(fromLanguage, toLanguage));
    if (path.empty())
        return FileRead::NotOpened;
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FileRead::NotOpened;
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) {
        CloseHandle(file);
        return FileRead::NotSized;
    }
    buffer.size = size;
    const size_t blockSize = ArticleBlockSize(size);
    buffer.text = blockSize ? static_cast<uint8_t*>(GlobalAlloc(GPTR, blockSize)) : nullptr;
    if (buffer.text) {
        DWORD read = 0;
        // A failed read leaves the block as it was allocated: all zero, so it holds no record.
        if (!ReadFile(file, buffer.text, size, &read, nullptr))
            std::memset(buffer.text, 0, blockSize);
    }
    CloseHandle(file);
    return FileRead::Loaded;
}

void FreeBlock(ArticleBuffer& buffer)
{
    if (buffer.text)
        GlobalFree(buffer.text);
    buffer = {};
}

}  // namespace

void ShowMissingArticleFileMessage()
{
    ShowArticleMessage(MissingArticleFileMessage);
}

void LoadArticleFiles()
{
    ArticleBuffer first;
    if (ReadArticleFile(SourceLanguage, TargetLanguage, first) != FileRead::Loaded) {
        ShowMissingArticleFileMessage();
        return;
    }
    ArticleBuffer second;
    switch (ReadArticleFile(TargetLanguage, SourceLanguage, second)) {
    case FileRead::Loaded:
        ArticleBuffers[0] = first;
        ArticleBuffers[1] = second;
        return;
    case FileRead::NotOpened:
        FreeBlock(first);
        ShowMissingArticleFileMessage();
        return;
    case FileRead::NotSized:
        FreeBlock(first);
        ShowArticleMessage(UnsizedArticleFileMessage);
        return;
    }
}

bool ArticleEngineReady()
{
    return ArticleBuffers[0].text && ArticleBuffers[0].size && ArticleBuffers[1].text && ArticleBuffers[1].size;
}

void DecodeArticleBuffers()
{
    if (!ArticleEngineReady())
        return;
    for (ArticleBuffer& buffer : ArticleBuffers) {
        DecodeArticleBytes(buffer.text, buffer.size);
        // The block is GlobalAlloc's, aligned for any type, and from here on read as UTF-16.
        buffer.decoded = ArticleTextView(reinterpret_cast<const char16_t*>(buffer.text), buffer.size);
    }
}

std::u16string_view ArticleText(int direction)
{
    return ArticleBuffers[direction].decoded;
}

void ReleaseArticleBuffers()
{
    for (ArticleBuffer& buffer : ArticleBuffers)
        FreeBlock(buffer);
}
