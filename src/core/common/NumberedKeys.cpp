#include "core/common/NumberedKeys.h"

#include <algorithm>
#include <charconv>

namespace varnel {

std::vector<size_t> NumberedKeys(const ProfileFile& file, std::string_view section,
                                 std::span<const std::string_view> suffixes, size_t last) {
    std::vector<size_t> numbers;
    for (const std::string& key : file.KeysOf(section)) {
        size_t n = 0;
        const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
        if (ec != std::errc() || n < 1 || n > last) continue;
        const std::string rest = ToLowerAscii(std::string_view(end, static_cast<size_t>(key.data() + key.size() - end)));
        if (std::find(suffixes.begin(), suffixes.end(), rest) != suffixes.end()) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

size_t ProfileCount(const std::string& text) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end == text.data() || n <= 0) return 0;
    return static_cast<size_t>(n);
}

}  // namespace varnel
