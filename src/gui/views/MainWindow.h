#pragma once
// The main window: menu bar, toolbar, the year, month and day panels, the
// one-shot start timer that loads the calendar data, view switching, month
// navigation, and the saving of the window position and settings at
// shut-down. It owns the view state and the calendar source; every view it
// shows draws the complete year the source gives, whatever path led there.
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"

class QAction;
class QActionGroup;
class QStackedWidget;
class QTimer;

namespace varnel {

class SettingsBatch;

class DayPanel;
class MonthPanel;
class PersonalReminderBar;
class YearPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class View { Day = 1, Month = 2, Year = 3 };  // the toolbar's order

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Renders the month view for the displayed month.
    void ShowCalendar();
    // The window's state: the displayed month, colours, selection and switch.
    ViewState& State() { return state_; }
    const ViewState& State() const { return state_; }
    // The years and place the views draw from (before start-up: no data yet).
    CalendarSource& Calendar() { return *source_; }
    // Shows the month of a date in the month view's model (not the view switch).
    void ShowMonthOf(Date date);
    // Window position and settings ("WindowPos"; "Location", "FloatDetails", "ColorScheme").
    void LoadWindow();
    void SaveWindowPos(SettingsBatch& batch) const;
    void LoadSettings();
    void SaveSettings(SettingsBatch& batch) const;

    void NextMonth();
    void PreviousMonth();
    // Switches the view the way the View menu and the toolbar do (shown again when already current).
    void ShowView(View view);
    View CurrentView() const { return view_; }
    void GoToCommonDate();
    void ChooseColorScheme();
    void OpenLocationSettings();
    // The start-up sequence the start timer runs once: the splash, one pass
    // of the pending events so that it paints, then the calendar data and the month.
    void RunStartUp();
    // What the start-up needs that shows nothing, done while the start timer
    // waits (queued when the window has first painted): the data files read, the
    // displayed year's calendar built, the month grid's fonts looked up and the
    // splash made ready.
    void PrepareStartUp();
    // The calendar data are loaded and the month is rendered.
    bool StartedUp() const { return startedUp_; }

    MonthPanel* Month() const { return month_; }
    // The day and year panels are built when first shown or asked for.
    DayPanel* Day();
    YearPanel* Year();
    QTimer* StartTimer() const { return startTimer_; }
    // The one checkable action per view, in the View menu and on the toolbar.
    QAction* ViewAction(View view) const { return viewActions_[static_cast<size_t>(view)]; }
    QAction* CommandButton(int index) const;
    // The line that says at start-up which personal dates fall this week.
    PersonalReminderBar* ReminderBar() const { return reminder_; }
    void OpenPersonalDates();

signals:
    // After the start-up sequence has rendered the month.
    void StartUpFinished();
    // The data files have been read (once, before or at the start-up).
    void DataFilesRead(const DataFileReport& report);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanels();
    void AddPanel(QWidget* panel);
    void BuildViewActions();
    void BuildMenus();
    void BuildToolbar();
    // Fills and raises a view's panel; its action is already checked.
    void DisplayView(View view);
    void FinishStartUp();
    // Reads the data files into the source, the first time only.
    void TakeData();
    void AfterMonthMoved();
    void MoveToYear(int year);
    void SelectYearMonth(int month);
    void SetSelectedCell(int row, int col);
    // "December 2026 — Varnel": the view and what it shows.
    void UpdateWindowTitle();
    // Renders the shown view again (after the place or a display choice changed).
    void RedrawShownView();
    void SetShabbatTimesOnHolyDays(bool on);
    // Candles this many minutes before sunset, kept in the settings at once.
    void SetCandleMinutes(int minutes);
    // The Omer reckoning and the modern days: the years are placed anew.
    void SetHolyDayRules(const HolyDayRules& rules);
    void ShowDay();
    void ShowCellNote(const QString& text, int row, int col);
    void CloseCellNote();
    void PrintCurrentView();
    void PrintShabbatHours();
    void ExportYearToHtml();
    void ExportMonthPortions();
    void ExportYearFeasts();
    void OpenFeastResources();
    void PersonalDatesChanged();

    ViewState state_;
    std::unique_ptr<CalendarSource> source_;
    View view_ = View::Month;
    bool dataTaken_ = false;
    bool preparing_ = false;
    bool startUpBegun_ = false;
    bool startedUp_ = false;
    QStackedWidget* panels_ = nullptr;
    MonthPanel* month_ = nullptr;
    DayPanel* day_ = nullptr;
    YearPanel* year_ = nullptr;
    PersonalReminderBar* reminder_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QActionGroup* viewGroup_ = nullptr;
    std::array<QAction*, 4> viewActions_{};  // indices 1..3
    std::array<QAction*, 10> commandButtons_{};
    QAction* nextMonthItem_ = nullptr;
    QAction* previousMonthItem_ = nullptr;
    QAction* shabbatTimesItem_ = nullptr;
    QAction* omerSabbathItem_ = nullptr;
    QAction* omerNisan16Item_ = nullptr;
    QAction* modernDaysItem_ = nullptr;
    std::array<QAction*, 3> scheduleItems_{};  // automatic, outside Israel, Israel
    void ShowHolyDayRules();
};

}  // namespace varnel
