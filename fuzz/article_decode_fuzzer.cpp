// Fuzz target: the byte shift of article files, the block they are read into and the text view over it.
#include <cstring>
#include <memory>
#include <string>

#include "dictionary/article_text.h"
#include "fuzz/fuzz_check.h"

namespace {

// The shift written out byte by byte: a file byte is the plain byte plus 2, modulo 256.
uint8_t PlainByte(uint8_t fileByte)
{
    return static_cast<uint8_t>((fileByte + 254) % 256);
}

// Each decoder on a copy that starts `shift` bytes into an exactly sized block, so the vector and
// word-at-a-time paths meet every alignment; the bytes before the copy must stay as they were.
void CheckShift(const uint8_t* data, size_t size, void (*decode)(uint8_t*, size_t), const char* name)
{
    for (size_t shift : {0, 1, 3, 7}) {
        std::unique_ptr<uint8_t[]> block(new uint8_t[shift + size]);
        std::memset(block.get(), 0x5A, shift);
        uint8_t* bytes = block.get() + shift;
        std::memcpy(bytes, data, size);
        decode(bytes, size);
        for (size_t i = 0; i < size; ++i) {
            if (bytes[i] != PlainByte(data[i])) {
                std::fprintf(stderr, "%s, %zu bytes from offset %zu: byte %zu is %u, expected %u\n", name, size,
                             shift, i, bytes[i], PlainByte(data[i]));
                FailCheck("an article decoder does not subtract 2 from every byte");
            }
        }
        for (size_t i = 0; i < shift; ++i)
            CheckThat(block[i] == 0x5A, "an article decoder wrote before its bytes");
        EncodeArticleBytes(bytes, size);
        CheckThat(std::memcmp(bytes, data, size) == 0, "EncodeArticleBytes does not undo the decoding");
    }
}

// The input's whole units taken as text: encoding gives their low and high bytes, each plus 2.
void CheckTextEncoding(const uint8_t* data, size_t size)
{
    UnitReader reader(data, size);
    const std::u16string text = reader.TakeUnits(reader.UnitsLeft());
    const std::string bytes = EncodeArticleText(text);
    CheckThat(bytes.size() == 2 * text.size(), "EncodeArticleText does not give two bytes a unit");
    for (size_t i = 0; i < text.size(); ++i) {
        CheckThat(PlainByte(static_cast<uint8_t>(bytes[2 * i])) == (text[i] & 0xFF) &&
                      PlainByte(static_cast<uint8_t>(bytes[2 * i + 1])) == (text[i] >> 8),
                  "EncodeArticleText does not write the shifted little-endian bytes");
    }
}

void CheckBlockSize(uint32_t fileSize)
{
    const uint64_t even = fileSize % 2 == 0 ? uint64_t{fileSize} : uint64_t{fileSize} + 1;
    const uint64_t expected = even + 2;
    CheckThat(ArticleBlockSize(fileSize) == (expected > SIZE_MAX ? 0 : expected),
              "ArticleBlockSize is not the size rounded up to even plus one zero unit");
}

// The file read into a zeroed block of exactly ArticleBlockSize bytes and decoded in place, as at start-up.
void CheckTextView(const uint8_t* data, size_t size)
{
    if (size > UINT32_MAX)
        return;
    const uint32_t fileSize = static_cast<uint32_t>(size);
    const size_t blockSize = ArticleBlockSize(fileSize);
    CheckThat(blockSize % 2 == 0 && blockSize >= size + 2, "the block has no room for the file and a zero unit");
    std::unique_ptr<char16_t[]> block(new char16_t[blockSize / 2]());
    std::memcpy(block.get(), data, size);
    DecodeArticleBytes(reinterpret_cast<uint8_t*>(block.get()), size);
    const std::u16string_view view = ArticleTextView(block.get(), fileSize);

    // The units the file's bytes make, the odd last byte paired with a zero, up to the first zero unit.
    std::u16string expected;
    for (size_t i = 0; i < size; i += 2) {
        const uint8_t high = i + 1 < size ? PlainByte(data[i + 1]) : 0;
        const char16_t unit = static_cast<char16_t>(PlainByte(data[i]) | high << 8);
        if (unit == 0)
            break;
        expected.push_back(unit);
    }
    CheckThat(view.data() == block.get(), "ArticleTextView does not start at the block");
    CheckSameUnits(view, expected, "ArticleTextView is not the file's units up to the first zero unit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckShift(data, size, DecodeArticleBytes, "DecodeArticleBytes");
    CheckShift(data, size, DecodeArticleBytesPortable, "DecodeArticleBytesPortable");
    CheckTextEncoding(data, size);
    CheckTextView(data, size);
    CheckBlockSize(static_cast<uint32_t>(size));
    // Sizes far beyond any input, from the first four bytes.
    if (size >= 4)
        CheckBlockSize(static_cast<uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24));
    CheckThat(ArticleTextView(nullptr, static_cast<uint32_t>(size)).empty(), "ArticleTextView of no block is not empty");
    return 0;
}
