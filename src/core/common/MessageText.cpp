#include "core/common/MessageText.h"

#include <cstdio>

namespace varnel {
namespace {

// Length of the valid UTF-8 sequence at pos, or 0 when the byte starts none.
size_t SequenceLength(std::string_view s, size_t pos) {
    const auto c = static_cast<unsigned char>(s[pos]);
    size_t len = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
    if (len == 0 || pos + len > s.size()) return 0;
    for (size_t i = 1; i < len; ++i)
        if ((static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) return 0;
    return len;
}

std::string Hex(unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    return buf;
}

}  // namespace

std::string EscapeForMessage(std::string_view text, size_t limit) {
    std::string out;
    size_t pos = 0, count = 0;
    while (pos < text.size()) {
        if (count == limit) return out + "...";
        const auto c = static_cast<unsigned char>(text[pos]);
        const size_t len = SequenceLength(text, pos);
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (len == 0 || c < 0x20 || c == 0x7F) out += Hex(c);
        else if (len == 2 && c == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0) {
            out += Hex(c);  // C1 controls (U+0080..U+009F) are escapes on some terminals
            out += Hex(static_cast<unsigned char>(text[pos + 1]));
        } else out.append(text.substr(pos, len));
        pos += len == 0 ? 1 : len;
        ++count;
    }
    return out;
}

}  // namespace varnel
