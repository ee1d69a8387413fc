// Shared by the fuzz targets: reading the input as UTF-16 units and stopping the run on a wrong result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Prints a view with every unit outside printable ASCII as \uXXXX, and at most 300 units of it.
inline void PrintUnits(const char* label, std::u16string_view units)
{
    std::fprintf(stderr, "  %s (%zu units): \"", label, units.size());
    for (size_t i = 0; i < units.size() && i < 300; ++i) {
        if (units[i] >= 0x20 && units[i] < 0x7F && units[i] != u'\\')
            std::fputc(static_cast<char>(units[i]), stderr);
        else
            std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(units[i]));
    }
    std::fprintf(stderr, units.size() > 300 ? "\"...\n" : "\"\n");
}

// abort() rather than return: libFuzzer then keeps the input as a crash file.
[[noreturn]] inline void FailCheck(const char* what)
{
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what);
    std::abort();
}

inline void CheckThat(bool holds, const char* what)
{
    if (!holds)
        FailCheck(what);
}

inline void CheckSameUnits(std::u16string_view seen, std::u16string_view expected, const char* what)
{
    if (seen == expected)
        return;
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what);
    PrintUnits("seen", seen);
    PrintUnits("expected", expected);
    std::abort();
}

// Reads the input front to back: single header units first, then the remaining units as text.
class UnitReader {
public:
    UnitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // 0 once the input is used up, so every input, however short, is a valid one.
    char16_t TakeUnit()
    {
        if (size_ - position_ < 2) {
            position_ = size_;
            return 0;
        }
        const char16_t unit = static_cast<char16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return unit;
    }

    size_t UnitsLeft() const { return (size_ - position_) / 2; }

    std::u16string TakeUnits(size_t count)
    {
        std::u16string units;
        for (size_t i = 0; i < count && UnitsLeft() > 0; ++i)
            units.push_back(TakeUnit());
        return units;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
