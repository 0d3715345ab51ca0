#include "gui/views/CandleMinutesPrompt.h"

#include <QInputDialog>
#include <QMessageBox>

#include "core/times/FeastTimes.h"

namespace varnel {

std::optional<int> AskCandleMinutes(QWidget* owner, int current) {
    bool ok = false;
    const int minutes = QInputDialog::getInt(owner, "Candle-lighting", "Candles are lit this many minutes before sunset:",
                                             current, 0, kMaxCandleMinutes, 1, &ok);
    if (!ok) return std::nullopt;
    return minutes;
}

std::optional<int> OfferPlaceCandleMinutes(QWidget* owner, const std::string& place, int current) {
    const std::optional<int> custom = CustomCandleMinutes(place);
    if (!custom || *custom == current) return std::nullopt;
    const QString city = QString::fromStdString(place).section(',', 0, 0);
    QMessageBox box(QMessageBox::Question, "Candle-lighting",
                    QStringLiteral("In %1 candles are customarily lit %2 minutes before sunset. Light them %2 minutes "
                                   "before sunset instead of %3?")
                        .arg(city)
                        .arg(*custom)
                        .arg(current),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName("msgCandleMinutes");
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes) return std::nullopt;
    return custom;
}

}  // namespace varnel
