#include "app/StartWindow.h"

#include <QApplication>
#include <QLabel>
#include <cstdlib>
#include <iostream>

#include "app/DataFolder.h"
#include "calendar/CalendarState.h"
#include "calendar/HebrewCalendar.h"
#include "calendar/HolyDays.h"
#include "common/DateFormat.h"
#include "common/DateSerial.h"
#include "common/Files.h"

namespace varnel {
namespace {

std::string HebrewText(int32_t date) {
    const HebrewDate h = HebrewDateOf(date);
    return std::to_string(h.day) + " " + HebrewMonthName(h.year, h.month) + " " + std::to_string(h.year);
}

// Today and the holy days of this month, as lines of text.
std::string ThisMonthText() {
    const int32_t today = Today();
    const YearMonthDay ymd = SplitDate(today);
    CurrentDate = DateSerial(ymd.year, ymd.month, 1);
    LoadHolyDays();
    PlaceHolyDays();
    std::string text = FormatDate(today, "dddd, mmmm d, yyyy") + " - " + HebrewText(today) + "\n";
    text += "Holy days in " + FormatDate(CurrentDate, "mmmm yyyy") + ":\n";
    bool any = false;
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const HolyDayRecord& r = HolyDays[i];
        if (r.date == 0 || YearOf(r.date) != ymd.year || MonthOf(r.date) != ymd.month) continue;
        text += "  " + FormatDate(r.date, "ddd mmm d") + "  " + r.name + "\n";
        any = true;
    }
    if (!any) text += "  (none)\n";
    return text;
}

}  // namespace

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

void PrintThisMonth() { std::cout << ThisMonthText(); }

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Varnel");
    QCoreApplication::setApplicationName("Varnel");
    SetProgramFolder(ResolveDataFolder({}));
    QLabel label(QString::fromStdString(ThisMonthText()));
    label.setWindowTitle("Varnel");
    label.setMargin(24);
    label.show();
    return app.exec();
}

}  // namespace varnel
