#pragma once
// The command line's output, written straight into the C library's streams.
// The C++ streams would link in the C++ library's locales and build them all
// (a few hundred kilobytes of code and tables) at every start of a command
// that prints a line.
#include <charconv>
#include <concepts>
#include <cstdio>
#include <string_view>

namespace varnel::cli {

class TextOut {
public:
    explicit TextOut(std::FILE* file) : file_(file) {}

    TextOut& operator<<(std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), file_);
        return *this;
    }
    TextOut& operator<<(char c) {
        std::fputc(c, file_);
        return *this;
    }
    // Whole numbers in decimal, as the C++ streams write them.
    template <std::integral Number>
        requires(!std::same_as<Number, char> && !std::same_as<Number, bool>)
    TextOut& operator<<(Number n) {
        char digits[24];
        const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, n);
        return *this << std::string_view(digits, static_cast<size_t>(end.ptr - digits));
    }
    // No fractions are printed here: a number with one is formatted by its text.
    TextOut& operator<<(double) = delete;

    void Flush() { std::fflush(file_); }

private:
    std::FILE* file_;
};

inline TextOut out{stdout};
inline TextOut err{stderr};

}  // namespace varnel::cli
