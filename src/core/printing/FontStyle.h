#pragma once
#include <string>

namespace varnel {

struct FontStyle {
    std::string name = "Arial";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const FontStyle&) const = default;
};

}  // namespace varnel
