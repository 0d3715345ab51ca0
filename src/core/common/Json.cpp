#include "core/common/Json.h"

#include <cstdio>

#include "core/common/DateSerial.h"

namespace varnel {

namespace {

// Length of the well-formed UTF-8 sequence at pos, or 0 when the byte there
// starts none (a stray continuation, an overlong form, a surrogate, a cut end).
size_t Utf8SequenceLength(std::string_view s, size_t pos) {
    const unsigned char c = static_cast<unsigned char>(s[pos]);
    size_t len;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (size_t i = 1; i < len; ++i) {
        const unsigned char b = static_cast<unsigned char>(s[pos + i]);
        if (i == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF)) return 0;
    }
    return len;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const char ch = text[pos];
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            // The output is UTF-8: a data file's stray bytes become U+FFFD.
            const size_t len = Utf8SequenceLength(text, pos);
            if (len == 0) {
                out += "\xEF\xBF\xBD";
            } else {
                out.append(text, pos, len);
                pos += len - 1;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string IsoDate(int32_t serial) {
    const YearMonthDay d = SplitDate(serial);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

void JsonWriter::Separate() {
    if (needComma_) out_ += ',';
    needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    out_ += '{';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::BeginArray() {
    Separate();
    out_ += '[';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonQuote(key);
    out_ += ':';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::String(std::string_view value) {
    Separate();
    out_ += JsonQuote(value);
    return *this;
}
JsonWriter& JsonWriter::Int(int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}
JsonWriter& JsonWriter::Date(int32_t serial) {
    if (serial == 0) return Null();
    Separate();
    out_ += '"' + IsoDate(serial) + '"';
    return *this;
}

}  // namespace varnel
