#include "core/views/CellSpeech.h"

#include "core/common/DateFormat.h"

namespace varnel {
namespace {

// The lines of a cell's text (CR LF or LF between them) joined with ", ";
// empty lines are left out.
std::string JoinedLines(const std::string& text) {
    std::string joined;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) joined += (joined.empty() ? "" : ", ") + line;
        start = end + 1;
    }
    return joined;
}

// Line breaks as a reader's plain "\n".
std::string PlainLines(std::string text) {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text)
        if (c != '\r') plain += c;
    while (!plain.empty() && plain.back() == '\n') plain.pop_back();
    return plain;
}

}  // namespace

CellSpeech SpeechOfCell(const GridCell& cell) {
    const std::string texts = JoinedLines(cell.text);
    if (!cell.date) return {texts, {}};
    const std::string date = LongDateText(*cell.date);
    return {texts.empty() ? date : date + ": " + texts, PlainLines(cell.data)};
}

CellSpeech SpeechOfDay(Date date, const std::string& mark) {
    const std::string name = LongDateText(date);
    return {mark.empty() ? name : name + ", " + mark, {}};
}

}  // namespace varnel
