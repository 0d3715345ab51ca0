#include "core/appointments/ICalendarText.h"

#include <algorithm>
#include <cctype>

#include "core/common/Profile.h"

namespace varnel {

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool SameName(std::string_view a, std::string_view lowerB) {
    if (a.size() != lowerB.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != lowerB[i]) return false;
    return true;
}

// A name quoted in a message: short, and no control character of the file.
std::string Shown(std::string_view text) {
    std::string out;
    for (const char c : text.substr(0, 40)) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return text.size() > 40 ? out + "..." : out;
}

struct OpenComponent {
    std::string name;  // lower case
    size_t line = 0;
};

// Walks the content lines of a text: each physical line with the lines folded
// onto it (those starting with a blank), unfolded into `content`.
class ContentLines {
public:
    explicit ContentLines(std::string_view text) : text_(text), pos_(text.rfind(kBom, 0) == 0 ? kBom.size() : 0) {}
    bool Next() {
        if (pos_ >= text_.size()) return false;
        begin_ = pos_;
        number_ = physical_ + 1;
        content_.clear();
        do {
            const size_t nl = text_.find('\n', pos_);
            const size_t stop = nl == std::string_view::npos ? text_.size() : nl + 1;
            std::string_view physical = text_.substr(pos_, stop - pos_);
            if (!physical.empty() && physical.back() == '\n') physical.remove_suffix(1);
            if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
            if (pos_ != begin_) physical.remove_prefix(1);  // the folding blank
            if (lineEnd_.empty() && nl != std::string_view::npos) lineEnd_ = nl > 0 && text_[nl - 1] == '\r' ? "\r\n" : "\n";
            content_.append(physical);
            pos_ = stop;
            ++physical_;
        } while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'));
        return true;
    }
    size_t Begin() const { return begin_; }
    size_t End() const { return pos_; }
    size_t Number() const { return number_; }  // of its first physical line, from 1
    const std::string& Content() const { return content_; }
    const std::string& LineEnd() const { return lineEnd_; }

private:
    std::string_view text_;
    size_t pos_ = 0, begin_ = 0, number_ = 0, physical_ = 0;
    std::string content_;
    std::string lineEnd_;
};
}  // namespace

bool SplitICalendarText(std::string_view text, ICalendarLayout& layout, std::string& why) {
    layout = ICalendarLayout();
    std::vector<OpenComponent> open;
    bool calendarSeen = false, calendarClosed = false;
    EventBlock event;
    ContentLines lines(text);
    while (lines.Next()) {
        const std::string& line = lines.Content();
        const auto where = [&lines] { return "line " + std::to_string(lines.Number()); };
        if (TrimmedView(line).empty()) continue;  // blank lines are harmless anywhere
        const size_t colon = line.find(':');
        const size_t nameEnd = std::min(line.find(';'), colon);
        const std::string_view name = std::string_view(line).substr(0, nameEnd);
        const bool begin = SameName(name, "begin") && nameEnd == colon;
        const bool end = SameName(name, "end") && nameEnd == colon;
        const std::string value = begin || end ? ToLowerAscii(TrimmedView(line.substr(colon + 1))) : std::string();
        if (open.empty() && !begin) {
            why = where() + " stands outside the calendar (\"" + Shown(line) + "\")";
            return false;
        }
        if (begin) {
            if (open.empty()) {
                if (value != "vcalendar") {
                    why = where() + " begins \"" + Shown(value) + "\" outside the calendar";
                    return false;
                }
                if (calendarSeen) {
                    why = "it holds more than one calendar (a second BEGIN:VCALENDAR on " + where() + ")";
                    return false;
                }
                calendarSeen = true;
            } else if (open.size() == 1 && value == "vevent") {
                event = EventBlock();
                event.begin = lines.Begin();
            }
            open.push_back({value, lines.Number()});
        } else if (end) {
            if (open.back().name != value) {
                why = where() + " ends \"" + Shown(value) + "\" where \"" + Shown(open.back().name) + "\" of line " +
                      std::to_string(open.back().line) + " is open";
                return false;
            }
            open.pop_back();
            if (open.size() == 1 && value == "vevent") {
                event.end = lines.End();
                layout.events.push_back(std::move(event));
            } else if (open.empty()) {
                layout.calendarEnd = lines.Begin();
                calendarClosed = true;
            }
        } else if (open.size() == 2 && open.back().name == "vevent" && event.uid.empty() && SameName(name, "uid") &&
                   colon != std::string::npos) {
            event.uid = TrimmedView(line.substr(colon + 1));
        } else if (open.size() == 2 && open.back().name == "vtimezone" && SameName(name, "tzid") &&
                   colon != std::string::npos) {
            layout.zones.emplace_back(TrimmedView(line.substr(colon + 1)));
        }
    }
    if (!calendarSeen) {
        why = "it holds no calendar (no BEGIN:VCALENDAR)";
        return false;
    }
    if (!calendarClosed) {
        why = "\"" + Shown(open.back().name) + "\" of line " + std::to_string(open.back().line) + " is never ended";
        return false;
    }
    if (!lines.LineEnd().empty()) layout.lineEnd = lines.LineEnd();
    return true;
}

}  // namespace varnel
