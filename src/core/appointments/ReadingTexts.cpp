#include "core/appointments/ReadingTexts.h"

#include <vector>

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

std::string ReadingText(std::string_view text, std::string_view reference) {
    std::vector<std::string_view> parts;
    for (size_t start = 0; start <= reference.size();) {
        const size_t semi = reference.find("; ", start);
        const size_t end = semi == std::string_view::npos ? reference.size() : semi;
        parts.push_back(reference.substr(start, end - start));
        start = end + 2;
    }
    std::string joined;
    for (size_t i = 0; i < parts.size();) {
        size_t next = i + 1;
        for (size_t j = parts.size(); j > i; --j) {
            // parts i..j-1 as they stand in the reference, "; " between them
            const size_t from = static_cast<size_t>(parts[i].data() - reference.data());
            const size_t to = static_cast<size_t>(parts[j - 1].data() + parts[j - 1].size() - reference.data());
            const std::string_view passage = FindPassage(text, reference.substr(from, to - from));
            if (passage.empty()) continue;
            if (!joined.empty()) joined += ' ';
            joined += passage;
            next = j;
            break;
        }
        i = next;
    }
    return joined;
}

}  // namespace varnel
