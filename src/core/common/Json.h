#pragma once
// A small writer of JSON text for the command line's machine-readable output.
#include <cstdint>
#include <string>
#include <string_view>

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
    // A calendar-date serial as "YYYY-MM-DD", or null for 0 ("no date") and for
    // a serial outside years 1..9999.
    JsonWriter& Date(int32_t serial);
    const std::string& Text() const { return out_; }

private:
    void Separate();
    std::string out_;
    bool needComma_ = false;
};

// "YYYY-MM-DD" of a calendar-date serial.
std::string IsoDate(int32_t serial);

}  // namespace varnel
