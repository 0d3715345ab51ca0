#pragma once
// The text forms a table is composed from: a column format ("<750|^1in|>",
// "||||||", "+^"), a header ("Date|Hours") and a body ("a|b;c|d"), and
// lengths written with a unit (".3in", "2cm", "10pt", "750").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

enum class HAlign { Left, Center, Right };

struct ColumnFormat {
    HAlign align = HAlign::Left;
    int width = 0;         // twips; 0 = no width given (the layout shares what is left)
    bool stretch = false;  // "+": the column takes the width left over
};

// One entry per "|"-separated part; "" is one left column without a width.
std::vector<ColumnFormat> ParseTableFormat(std::string_view format);

// "a|b" -> {"a", "b"}; "" -> {""}.
std::vector<std::string> SplitColumns(std::string_view row);
// Rows split at ";", each split at "|". A ";" that ends the text ends the last
// row rather than starting an empty one; an empty body has no rows.
std::vector<std::vector<std::string>> SplitBody(std::string_view body);

// A length in twips: a plain number is twips; "in", "cm", "mm", "pt" and "tw"
// units are accepted. Nothing (empty, no number, unknown unit) gives nullopt.
std::optional<int> ParseLength(std::string_view text);

// A number in its shortest decimal form ("1312.5", "750"), as column widths
// are written into a format.
std::string ShortestNumber(double value);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

}  // namespace varnel
