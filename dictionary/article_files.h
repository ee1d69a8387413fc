// The two article buffers: loading the article files whole and decoding them in place.
#pragma once

#include <cstdint>
#include <string_view>

// One per direction: the file's bytes in a zero-filled block with a zero unit after them.
struct ArticleBuffer {
    uint8_t* text = nullptr;
    uint32_t size = 0;
    std::u16string_view decoded;  // the text up to its first zero unit, once decoded
};
extern ArticleBuffer ArticleBuffers[2];

void LoadArticleFiles();
void DecodeArticleBuffers();
void ReleaseArticleBuffers();

// Both files loaded with a block and a non-zero size.
bool ArticleEngineReady();
std::u16string_view ArticleText(int direction);
void ShowMissingArticleFileMessage();
