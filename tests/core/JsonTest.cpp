#include "core/common/Json.h"

#include <gtest/gtest.h>

#include "core/common/Date.h"

namespace varnel {
namespace {

TEST(Json, QuotesTextsAsValidUtf8) {
    EXPECT_EQ(JsonQuote("Ta'anit \"Esther\"\r\n\\"), "\"Ta'anit \\\"Esther\\\"\\r\\n\\\\\"");
    EXPECT_EQ(JsonQuote(std::string("a\x01", 2) + std::string(1, '\0')), "\"a\\u0001\\u0000\"");
    // Well-formed characters pass unchanged: é, €, 𝄞.
    EXPECT_EQ(JsonQuote("\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"), "\"\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E\"");
    // Stray bytes of a data file in another encoding become U+FFFD, one per byte:
    // a Latin-1 é, a lone continuation byte, an overlong slash, a surrogate, a cut sequence.
    const std::string r = "\xEF\xBF\xBD";
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += r;
    EXPECT_EQ(JsonQuote("caf\xE9" "\x80" "\xC0\xAF" "\xED\xA0\x80" "\xE2\x82" "x"), "\"caf" + nine + "x\"");
}

TEST(Json, WritesNestedValuesAndDates) {
    JsonWriter w;
    w.BeginObject().Key("date").Date(Date(2024, 10, 3)).Key("none").Date(std::nullopt).Key("list").BeginArray();
    w.Int(-6).Bool(true).Null().EndArray().EndObject();
    EXPECT_EQ(w.Text(), "{\"date\":\"2024-10-03\",\"none\":null,\"list\":[-6,true,null]}");
    // A date outside years 1..9999 is no date, as in the text output.
    JsonWriter far;
    far.BeginArray().Date(Date::FromSerial(-999999999)).Date(kFirstDate - 1).Date(kLastDate).EndArray();
    EXPECT_EQ(far.Text(), "[null,null,\"9999-12-31\"]");
}

}  // namespace
}  // namespace varnel
