#pragma once
// The start of every test of the main window: one application, the settings
// in a folder of the test's own, the shipped data files, and a window that has
// run its start-up.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>
#include <utility>

#include "GuiTestSupport.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "gui/views/GridWidget.h"  // before the note, whose inline code needs it whole
#include "gui/views/FloatingNote.h"
#include "gui/views/MainWindow.h"
#include "gui/views/MonthPanel.h"
#include "gui/views/SplashWindow.h"

namespace varnel {

// The mouse over a grid's cell: a click (or a double click), or a move onto it.
inline void ClickCell(GridWidget* grid, int row, int col, bool twice = false) {
    Click(grid, grid->CellRect(row, col).center(), twice);
}
inline void HoverCell(GridWidget* grid, int row, int col) { Mouse(grid, QEvent::MouseMove, grid->CellRect(row, col).center()); }

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(folder_.isValid());
        UseSettingsFolder(folder_.path());
        SetProgramFolder(VARNEL_SOURCE_DATA);
    }
    void TearDown() override {
        CloseFlexNote();
        window_.reset();
        FlushDeletes();
    }
    // A window that has run its start-up, its splash closed (it would hold
    // the focus), active as a window the user works in.
    MainWindow& Start(QSize size = QSize(1100, 800)) {
        window_ = std::make_unique<MainWindow>();
        window_->resize(size);
        window_->show();
        EXPECT_TRUE(StartUp(*window_));
        if (SplashWindow* splash = OpenSplash()) splash->close();
        FlushDeletes();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }
    // Shows a month as go-to-date would, with the year's data.
    void ShowMonth(int year, int month) {
        window_->ShowMonthOf(Date(year, month, 1));
        window_->ShowCalendar();
    }
    // The selected cell, as one value to compare.
    std::pair<int, int> Selected() const { return {window_->State().selectedRow, window_->State().selectedCol}; }
    // A day's cell in the month the window shows.
    const GridCell& DayCell(int day) const {
        const MonthViewModel& view = window_->Month()->Model();
        const MonthCell at = MonthCellOf(view.lastStartOfMonth, day);
        return view.grid.Cell(at.row, at.col);
    }
    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace varnel
