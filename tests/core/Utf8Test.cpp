#include "core/common/Utf8.h"

#include <gtest/gtest.h>
#include <unicode/utf8.h>

#include "core/common/MessageText.h"
#include "core/printing/RtfWriter.h"

namespace varnel {
namespace {

// ICU's reader is the truth: every sequence of one to four bytes built from
// all lead and second bytes and the edges of the continuation range decodes
// (or is refused) exactly as ICU decodes it.
TEST(Utf8, DecodesAsIcuDoes) {
    const unsigned char edges[] = {0x00, 0x7F, 0x80, 0xBF, 0xC0};
    int refused = 0;
    for (int lead = 0; lead < 256; ++lead)
        for (int second = 0; second < 256; ++second)
            for (unsigned char third : edges)
                for (unsigned char fourth : edges)
                    for (int length = 1; length <= 4; ++length) {
                        const char bytes[4] = {static_cast<char>(lead), static_cast<char>(second),
                                               static_cast<char>(third), static_cast<char>(fourth)};
                        int32_t at = 0, icu = 0;
                        U8_NEXT(reinterpret_cast<const uint8_t*>(bytes), at, length, icu);
                        const Utf8Char ours = DecodeUtf8(std::string_view(bytes, length), 0);
                        if (icu < 0) {
                            ++refused;
                            ASSERT_EQ(ours.length, 0u) << std::hex << lead << " " << second << " " << int(third);
                        } else {
                            ASSERT_EQ(ours.length, static_cast<size_t>(at)) << std::hex << lead << " " << second;
                            ASSERT_EQ(ours.codePoint, static_cast<char32_t>(icu));
                        }
                    }
    EXPECT_GT(refused, 0);
}

// Messages and RTF read texts through the same decoder: an overlong form or a
// surrogate is bytes, never a character (an overlong newline must not split a message).
TEST(Utf8, MalformedSequencesStayBytesInMessagesAndRtf) {
    struct Case {
        const char* text;
        const char* message;
        const char* rtf;
    };
    const Case cases[] = {
        {"\xE0\x80\x8A", "\\xE0\\x80\\x8A", "\\u224?\\u128?\\u138?"},          // overlong newline
        {"\xED\xA0\x80", "\\xED\\xA0\\x80", "\\u237?\\u160?\\u128?"},          // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80", "\\u244?\\u144?\\u128?\\u128?"},  // past U+10FFFF
        {"a\xC3\xA9\xD7\xA9", "a\xC3\xA9\xD7\xA9", "a\\u233?\\u1513?"},          // well-formed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeForMessage(c.text), c.message) << c.message;
        EXPECT_EQ(EscapeRtf(c.text), c.rtf) << c.message;
    }
}

}  // namespace
}  // namespace varnel
