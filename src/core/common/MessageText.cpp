#include "core/common/MessageText.h"

#include <cstdio>

#include "core/common/Utf8.h"

namespace varnel {
namespace {

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
        const size_t len = Utf8SequenceLength(text, pos);
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
