#pragma once
// The program's title and its copyright line: one text for every printout,
// export and window that names them, so they never disagree.
#include <string_view>

namespace varnel {

inline constexpr std::string_view kProgramTitle = "Varnel";
inline constexpr std::string_view kCopyrightNotice = "Copyright \u00A9 2026 The Varnel developers";

}  // namespace varnel
