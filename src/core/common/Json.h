#pragma once
// A small writer of JSON text for the command line's machine-readable output.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/Date.h"

namespace varnel {

std::string JsonQuote(std::string_view text);

// Appends values with commas placed automatically; the caller nests
// BeginObject/EndObject and BeginArray/EndArray correctly.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(int64_t value);
    JsonWriter& Number(double value);  // shortest of 10 significant digits; null when not finite
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A date as "YYYY-MM-DD", or null for none and for a date outside years 1..9999.
    JsonWriter& Date(std::optional<varnel::Date> date);
    const std::string& Text() const { return out_; }

private:
    void Separate();
    std::string out_;
    bool needComma_ = false;
};

// "YYYY-MM-DD", the year padded to four digits.
std::string IsoDate(Date date);

}  // namespace varnel
