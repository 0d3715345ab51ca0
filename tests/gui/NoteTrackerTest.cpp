#include <gtest/gtest.h>

#include "core/common/Date.h"
#include "core/views/MonthView.h"
#include "gui/rules/NoteTracker.h"

namespace varnel {
namespace {

// A month without holy days or portions, the sun at 6 AM and 6 PM every day.
MonthViewModel EvenMonth(int year, int month) {
    MonthInputs in;
    in.firstDay = Date(year, month, 1);
    in.dayCount = DaysInMonth(year, month);
    in.city = "Test City";
    in.sunOf = [](Date date) { return SunDay{.sunrise = date.Serial() + 0.25, .sunset = date.Serial() + 0.75, .zoneName = "Zone"}; };
    MonthViewModel view;
    ComposeMonth(in, view);
    return view;
}

TEST(MonthHover, NotesFollowThePointer) {
    const MonthViewModel view = EvenMonth(2026, 7);  // 1 July 2026: Wednesday, row 1 col 3
    NoteTracker notes;
    HoverResult h = notes.PointerMoved(view.grid, Date(2026, 7, 1), 2, 2, false);  // Tuesday 7 July
    ASSERT_EQ(h.action, HoverResult::Action::Show);
    EXPECT_EQ(h.text.substr(0, 34), "Tuesday, July, 7, 2026\r\nTamuz 22\r\n");
    EXPECT_TRUE(h.closePrevious);  // the last-shown cell starts as (0, 0)
    // One cell to the right keeps the note; one further replaces it.
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 2, 3, false).action, HoverResult::Action::None);
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 2, 2, false).action, HoverResult::Action::None);
    h = notes.PointerMoved(view.grid, Date(2026, 7, 1), 2, 4, false);
    EXPECT_EQ(h.action, HoverResult::Action::Show);
    EXPECT_EQ(h.text.substr(0, 26), "Thursday, July, 9, 2026\r\nT");
    // Header row, a held button, and cells without a day.
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 0, 1, false).action, HoverResult::Action::None);
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 3, 1, true).action, HoverResult::Action::None);
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 1, 0, false).action, HoverResult::Action::Close);
    // A close leaves the last-shown cell: the same cell does not show again.
    EXPECT_EQ(notes.PointerMoved(view.grid, Date(2026, 7, 1), 2, 4, false).action, HoverResult::Action::None);
}

}  // namespace
}  // namespace varnel
