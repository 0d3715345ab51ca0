#include "core/times/TimesText.h"

#include "core/common/DateFormat.h"
#include "core/common/Json.h"

namespace varnel {
namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string TwoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

// "19:42" on the place's clock.
std::string Clock24(double dateTime) {
    const ClockTime c = SplitDateTime(dateTime);
    return TwoDigits(c.hour) + ":" + TwoDigits(c.minute);
}

bool IsShabbatCandles(const FeastTime& t) {
    return t.kind == TimeKind::Candles && t.occasion == "Shabbat" && t.date.Weekday() == kFriday;
}

}  // namespace

std::string_view TimeKindLabel(TimeKind kind) {
    switch (kind) {
        case TimeKind::Candles: return "Candles";
        case TimeKind::Havdalah: return "Havdalah";
        case TimeKind::FastBegins: return "Fast begins";
        case TimeKind::FastEnds: return "Fast ends";
    }
    return {};
}

std::string_view TimeKindKey(TimeKind kind) {
    switch (kind) {
        case TimeKind::Candles: return "candles";
        case TimeKind::Havdalah: return "havdalah";
        case TimeKind::FastBegins: return "fast-begins";
        case TimeKind::FastEnds: return "fast-ends";
    }
    return {};
}

std::string TimeOrAbsence(const std::optional<double>& at, std::string_view reason) {
    if (at) return ClockText(*at);
    if (reason.empty()) return "none";
    std::string text(reason);
    if (text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return "none (" + text + ")";
}

std::string TimeValueText(const FeastTime& t) { return TimeOrAbsence(t.at, t.reason); }

std::string CellTimeLine(const FeastTime& t) {
    return (IsShabbatCandles(t) ? std::string("Shabbat Candles") : std::string(TimeKindLabel(t.kind))) + ": " +
           TimeValueText(t);
}

std::string DetailsTimeLine(const FeastTime& t) {
    return std::string(TimeKindLabel(t.kind)) + ": " + TimeValueText(t) + " - " + t.occasion;
}

const FeastTime* CellTime(const std::vector<FeastTime>& times, bool shabbatTimes) {
    const FeastTime* best = nullptr;
    for (const FeastTime& t : times) {
        // Shabbat's own times may be left out of a holy day's cell.
        if (!shabbatTimes && t.occasion == "Shabbat") continue;
        if (!best || t.kind < best->kind) best = &t;
    }
    return best;
}

std::string TimesListing(const std::vector<FeastTime>& times) {
    std::string out;
    out.reserve(times.size() * 48);
    for (const FeastTime& t : times) {
        out += IsoDate(t.date);
        out += ' ';
        out += kWeekdays[t.date.Weekday() - 1];
        out += "  ";
        out += DetailsTimeLine(t);
        out += '\n';
    }
    return out;
}

std::string TimesJson(const std::vector<FeastTime>& times) {
    JsonWriter w;
    w.BeginArray();
    for (const FeastTime& t : times) {
        w.BeginObject().Key("date").Date(t.date).Key("time");
        if (t.at) w.String(Clock24(*t.at));
        else w.Null();
        w.Key("kind").String(TimeKindKey(t.kind)).Key("for").String(t.occasion);
        if (!t.at) w.Key("reason").String(t.reason);
        w.EndObject();
    }
    w.EndArray();
    return w.Text();
}

}  // namespace varnel
