#pragma once
// The reading texts "torah.dat" and "haftarah.dat": passages that each begin
// with their reference and end before the next "|".
#include <string>
#include <string_view>

namespace varnel {

inline constexpr const char* kTorahTextFile = "torah.dat";
inline constexpr const char* kHaftarahTextFile = "haftarah.dat";

struct ReadingTexts {
    std::string torah;
    std::string haftarah;
};

// Reads both files of the folder whole; a missing "torah.dat" is first copied
// from "torah.bak" (the backup stays). A file that cannot be read gives empty text.
ReadingTexts LoadReadingTexts(const std::string& folder);

// The passage of a reference: from the reference up to, not including, the
// next "|". The reference must stand where a passage begins (the start of the
// text or just after a "|") and be followed by a space, so "Leviticus 23:1-4"
// never finds "Leviticus 23:1-44". Empty when not found, or when no "|" ends it.
std::string_view FindPassage(std::string_view text, std::string_view reference);

// The text of a reading that may join passages with "; " (a portion and the
// maftir of a special Shabbat): the whole reference when it is one passage,
// else, from the left, the longest runs of its parts that are, one after the
// other. Parts that no passage holds are left out.
std::string ReadingText(std::string_view text, std::string_view reference);

}  // namespace varnel
