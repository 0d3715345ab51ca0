#pragma once
// The text forms of a table, as the print control's table interface takes
// them: a column format ("<750|^1in|>", "||||||", "+^"), a header
// ("Date|Hours") and a body ("a|b;c|d"), and lengths written with a unit
// (".3in", "2cm", "10pt", "750").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/printing/Table.h"

namespace varnel {

// One column per "|"-separated part; "" is one left column without a width,
// "+" makes a column take the width left over.
std::vector<TableColumn> ParseTableFormat(std::string_view format);

// "a|b" -> {"a", "b"}; "" -> {""}.
std::vector<std::string> SplitColumns(std::string_view row);
// Rows split at ";", each split at "|". A ";" that ends the text ends the last
// row rather than starting an empty one; an empty body has no rows.
std::vector<std::vector<std::string>> SplitBody(std::string_view body);

// A text as a table body given as text prints it: ";" would end the row, so
// every ";" is a ",". Tables built cell by cell keep the rule, so a text
// prints the same either way.
std::string BodyText(std::string_view text);

// A length in twips: a plain number is twips; "in", "cm", "mm", "pt" and "tw"
// units are accepted. Nothing (empty, no number, unknown unit) gives nullopt.
std::optional<int> ParseLength(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

}  // namespace varnel
