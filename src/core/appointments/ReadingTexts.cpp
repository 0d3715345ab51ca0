#include "core/appointments/ReadingTexts.h"

#include "core/common/Files.h"

namespace varnel {

ReadingTexts LoadReadingTexts(const std::string& folder) {
    ReadingTexts texts;
    const std::string torah = PathIn(folder, kTorahTextFile);
    RestoreFromBackup(torah);
    ReadWholeFile(torah, texts.torah);
    ReadWholeFile(PathIn(folder, kHaftarahTextFile), texts.haftarah);
    return texts;
}

std::string_view FindPassage(std::string_view text, std::string_view reference) {
    if (reference.empty()) return {};
    size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, reference.size(), reference) == 0 && pos + reference.size() < text.size() &&
            text[pos + reference.size()] == ' ') {
            const size_t end = text.find('|', pos);
            if (end == std::string_view::npos) return {};
            return text.substr(pos, end - pos);
        }
        const size_t bar = text.find('|', pos);
        if (bar == std::string_view::npos) break;
        pos = bar + 1;
    }
    return {};
}

}  // namespace varnel
