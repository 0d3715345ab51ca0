#pragma once
// Finding a place of the built-in table from what a user typed: the exact
// name (former spellings included) wins, else every name the text begins,
// ignoring case and the spaces around it.
#include <string_view>
#include <vector>

namespace varnel {

struct CityMatches {
    int index = -1;            // the one place found; -1 when none or several
    std::vector<int> matches;  // every row the text could mean, in table order
};

CityMatches SearchCity(std::string_view text);

}  // namespace varnel
