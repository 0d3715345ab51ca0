#pragma once
// How many minutes before sunset the candles are lit: asked for from the
// Settings menu, and offered as the custom of a place (Jerusalem's 40,
// Haifa's 30) when such a place is chosen.
#include <QWidget>
#include <optional>
#include <string>

namespace varnel {

// The minutes the user enters (0..90), or nothing when cancelled.
std::optional<int> AskCandleMinutes(QWidget* owner, int current);
// When the place keeps its own custom and the current minutes differ: asks
// whether to take the custom; its minutes when the user agrees.
std::optional<int> OfferPlaceCandleMinutes(QWidget* owner, const std::string& place, int current);

}  // namespace varnel
