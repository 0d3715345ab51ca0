#pragma once
// Readable resource rows and entries in test failures.
#include <ostream>

#include "core/resources/ResourceRows.h"

namespace varnel {
inline void PrintTo(const ResourceEntry& e, std::ostream* os) { *os << "{\"" << e.fileurl << "\", \"" << e.description << "\"}"; }
inline void PrintTo(const ResourceRow& r, std::ostream* os) {
    *os << "{" << (r.launch ? "ticked" : "unticked") << ", \"" << r.fileurl << "\", \"" << r.description << "\"}";
}
}  // namespace varnel
