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

#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"

class QAction;
class QActionGroup;
class QStackedWidget;
class QTimer;

namespace varnel {

class MonthPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class View { Day = 1, Month = 2, Year = 3 };  // the toggles' indices

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
    void ShowMonthOf(int32_t date);
    // Window position and settings ("WindowPos"; "Location", "FloatDetails", "ColorScheme").
    void LoadWindow();
    void SaveWindowPos();
    void LoadSettings();
    void SaveSettings();

    void NextMonth();
    void PreviousMonth();
    // Switches the view the way the View menu and the toggles do.
    void ShowView(View view);
    View CurrentView() const { return view_; }
    void GoToCommonDate();
    void ChooseColorScheme();
    void OpenLocationSettings();
    // The start-up sequence the start timer runs once.
    void RunStartUp();
    bool StartedUp() const { return startedUp_; }

    MonthPanel* Month() const { return month_; }
    QWidget* DayPanel() const { return dayPanel_; }
    QWidget* YearPanel() const { return yearPanel_; }
    QTimer* StartTimer() const { return startTimer_; }
    QAction* ViewToggle(View view) const;
    QAction* CommandButton(int index) const;

signals:
    // After the start-up sequence has rendered the month.
    void StartUpFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void ViewTogglePressed(View view, bool pressed);
    void SyncViewControls();
    void AfterMonthMoved();
    void MoveToYear(int year);
    void SelectYearMonth(int month);
    void SetSelectedCell(int row, int col);
    // "December 2026 — Varnel": the view and what it shows.
    void UpdateWindowTitle();
    // Renders the shown view again (after the place or a display choice changed).
    void RedrawShownView();
    void SetShabbatTimesOnHolyDays(bool on);

    // The year and day views, the dialogs, the cell note, the splash and the
    // menu's commands (MainWindowHooks.cpp).
    void BuildDayAndYearPanels();
    void ShowYear(int year);
    void ShowDay();
    void ShowCellNote(const QString& text, int row, int col);
    void CloseCellNote();
    void ShowSplash();
    void ShowAbout();
    void ApplyPanelTitleColors();
    void PrintCurrentView();
    void PrintShabbatHours();
    void ExportYearToHtml();
    void ExportMonthPortions();
    void OpenFeastResources();

    ViewState state_;
    std::unique_ptr<CalendarSource> source_;
    View view_ = View::Month;
    bool startedUp_ = false;
    QStackedWidget* panels_ = nullptr;
    MonthPanel* month_ = nullptr;
    QWidget* dayPanel_ = nullptr;
    QWidget* yearPanel_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QActionGroup* viewGroup_ = nullptr;
    std::array<QAction*, 4> viewToggles_{};   // indices 1..3
    std::array<QAction*, 4> viewMenuItems_{};  // indices 1..3
    std::array<QAction*, 10> commandButtons_{};
    QAction* nextMonthItem_ = nullptr;
    QAction* previousMonthItem_ = nullptr;
    QAction* shabbatTimesItem_ = nullptr;
};

}  // namespace varnel
