#pragma once
// Text files are read as UTF-8. Editors on other systems save "Unicode" text
// as UTF-16 with a byte-order mark; such a file is turned into UTF-8 here, and
// a UTF-8 byte-order mark is dropped.
#include <string>
#include <string_view>

namespace varnel {

std::string DecodeText(std::string_view bytes);

}  // namespace varnel
