#pragma once
// UTF-8, read and written: the one decoder every text writer and message uses.
// Only well-formed sequences decode; overlong forms, surrogates, code points
// past U+10FFFF, stray continuations and cut ends do not.
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

struct Utf8Char {
    char32_t codePoint = 0;
    size_t length = 0;  // 0: the byte at the position starts no well-formed sequence
};

Utf8Char DecodeUtf8(std::string_view s, size_t pos);

inline size_t Utf8SequenceLength(std::string_view s, size_t pos) { return DecodeUtf8(s, pos).length; }

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace varnel
