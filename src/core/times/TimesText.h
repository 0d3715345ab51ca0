#pragma once
// The feasts' times as text: the cell's one line, the details' lines and the
// times command's listing and JSON.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/times/FeastTimes.h"

namespace varnel {

// "Candles", "Havdalah", "Fast begins", "Fast ends".
std::string_view TimeKindLabel(TimeKind kind);
// "candles", "havdalah", "fast-begins", "fast-ends".
std::string_view TimeKindKey(TimeKind kind);

// "7:42 PM", or "none (the sun does not set)" when there is no such time.
std::string TimeOrAbsence(const std::optional<double>& at, std::string_view reason);
std::string TimeValueText(const FeastTime& t);
// The cell's line: "Candles: 7:42 PM" ("Shabbat Candles: ..." on a Friday).
std::string CellTimeLine(const FeastTime& t);
// The details' line: "Candles: 7:42 PM - Yom Kippur".
std::string DetailsTimeLine(const FeastTime& t);
// The one a cell shows of a day's times, or nullptr.
const FeastTime* CellTime(const std::vector<FeastTime>& times, bool shabbatTimes = true);

// One line per time: "2026-09-20 Sun  Candles: 7:05 PM - Yom Kippur".
std::string TimesListing(const std::vector<FeastTime>& times);
// [{"date","time" ("HH:MM" or null),"kind","for"[,"reason"]}]
std::string TimesJson(const std::vector<FeastTime>& times);

}  // namespace varnel
