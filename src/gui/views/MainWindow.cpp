#include "gui/views/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/CalendarDocument.h"
#include "core/views/ColorScheme.h"
#include "core/views/MonthView.h"
#include "gui/common/Settings.h"
#include "gui/common/WaitCursor.h"
#include "gui/common/WindowExtras.h"
#include "gui/printing/PrintCommands.h"  // the views printed: a plain structure
#include "core/personal/PersonalDays.h"
#include "gui/personal/PersonalDatesDialog.h"
#include "gui/personal/PersonalReminderBar.h"
#include "gui/resources/FeastResourcesDialog.h"
#include "gui/solar/LocationDialog.h"
#include "gui/views/CandleMinutesPrompt.h"
#include "gui/views/ColorsDialog.h"
#include "gui/views/DataFileNotice.h"
#include "gui/views/DayPanel.h"
#include "gui/views/FloatingNote.h"
#include "gui/views/GoToDateDialog.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "gui/views/SplashWindow.h"
#include "gui/views/YearPanel.h"

namespace varnel {
namespace {

constexpr int kStartTimerInterval = 55;  // ms
constexpr int kDesignWidth = 13500;      // twips
constexpr int kDesignHeight = 10200;
constexpr int kCommandButtonCount = 10;
constexpr const char* kCommandTexts[kCommandButtonCount] = {
    "", "Print current view", "Export to calendar", "", "", "", "", "", "", ""};

// The screen the window is on, in twips, with the logical DPI of that screen.
struct ScreenTwips {
    int width = 0;
    int height = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

ScreenTwips ScreenOf(const QWidget* window) {
    ScreenTwips s;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return s;
    s.twipsPerPixelX = 1440.0 / (screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : 96);
    s.twipsPerPixelY = 1440.0 / (screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96);
    s.width = static_cast<int>(std::lround(screen->geometry().width() * s.twipsPerPixelX));
    s.height = static_cast<int>(std::lround(screen->geometry().height() * s.twipsPerPixelY));
    return s;
}

// A rectangle made no larger than the area and moved inside it.
QRect FitInto(QRect r, const QRect& area) {
    if (area.isEmpty()) return r;
    r.setSize(r.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() + 1 - r.height()));
    return r;
}

QAction* AddItem(QMenu* menu, const char* objectName, const char* caption) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(objectName);
    return a;
}

// Items the menu carries but neither shows nor enables.
QAction* AddHiddenItem(QMenu* menu, const char* objectName, const char* caption) {
    QAction* a = AddItem(menu, objectName, caption);
    a->setVisible(false);
    a->setEnabled(false);
    return a;
}

// The data folder before its files are read at start-up.
CalendarData UnreadData() {
    CalendarData data;
    data.folder = ProgramFolder();
    return data;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), source_(std::make_unique<CalendarSource>(UnreadData())) {
    setObjectName("frmMain");
    setWindowTitle("Varnel");
    setMinimumSize(480, 360);

    BuildPanels();
    BuildViewActions();
    BuildMenus();
    BuildToolbar();

    const QSize design(static_cast<int>(std::lround(kDesignWidth / ScreenOf(this).twipsPerPixelX)),
                       static_cast<int>(std::lround(kDesignHeight / ScreenOf(this).twipsPerPixelY)));
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(screen ? design.boundedTo(screen->availableGeometry().size()) : design);

    startTimer_ = new QTimer(this);
    startTimer_->setObjectName("tmrStart");
    startTimer_->setSingleShot(true);
    startTimer_->setInterval(kStartTimerInterval);
    connect(startTimer_, &QTimer::timeout, this, &MainWindow::RunStartUp);

    // The keyboard starts on the month grid, where the arrows choose a day.
    month_->Grid()->setFocus();
    month_->Grid()->installEventFilter(this);

    LoadSettings();
    LoadWindow();
    state_.ShowMonthOf(Today());
    startTimer_->start();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildPanels() {
    panels_ = new QStackedWidget(this);
    panels_->setObjectName("picViews");
    month_ = new MonthPanel(state_, *source_, panels_);
    panels_->addWidget(month_);
    // The personal dates' reminder, when there is one, sits above the views.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    reminder_ = new PersonalReminderBar(central);
    column->addWidget(reminder_);
    column->addWidget(panels_, 1);
    setCentralWidget(central);

    connect(month_, &MonthPanel::NextMonthRequested, this, &MainWindow::NextMonth);
    connect(month_, &MonthPanel::PreviousMonthRequested, this, &MainWindow::PreviousMonth);
    connect(month_, &MonthPanel::DayDoubleClicked, this, [this] { ShowView(View::Day); });
    connect(month_, &MonthPanel::NoteShowRequested, this, &MainWindow::ShowCellNote);
    connect(month_, &MonthPanel::NoteCloseRequested, this, &MainWindow::CloseCellNote);
}

// A panel built after the others takes their size at once and lays out for
// it, so that its first filling, before it shows, measures the client area.
// (A hidden widget would have the resize only as it shows.)
void MainWindow::AddPanel(QWidget* panel) {
    panels_->addWidget(panel);
    panel->setGeometry(month_->geometry());
    QResizeEvent resized(panel->size(), QSize());
    QCoreApplication::sendEvent(panel, &resized);
    panel->setAttribute(Qt::WA_PendingResizeEvent, false);
}

DayPanel* MainWindow::Day() {
    if (!day_) {
        day_ = new DayPanel(state_, panels_);
        AddPanel(day_);
    }
    return day_;
}

YearPanel* MainWindow::Year() {
    if (!year_) {
        year_ = new YearPanel(state_, *source_, panels_);
        AddPanel(year_);
        connect(year_, &YearPanel::MonthRenderRequested, this, &MainWindow::ShowCalendar);
        connect(year_, &YearPanel::MonthViewRequested, this, [this] { ShowView(View::Month); });
        connect(year_, &YearPanel::DayViewRequested, this, [this] { ShowView(View::Day); });
        connect(year_, &YearPanel::YearShown, this, &MainWindow::UpdateWindowTitle);
    }
    return year_;
}

// One checkable action per view, in an exclusive group: the View menu shows
// its text, the toolbar its icon text, and checking it (from either, or from
// code) shows the view.
void MainWindow::BuildViewActions() {
    viewGroup_ = new QActionGroup(this);
    viewGroup_->setObjectName("ssrView");
    viewGroup_->setExclusive(true);
    const struct {
        View view;
        const char* name;
        const char* menuText;
        const char* toolbarText;
    } views[] = {{View::Day, "mViewDay", "&Day", "Day view"},
                 {View::Month, "mViewMonth", "&Month", "Month view"},
                 {View::Year, "mViewYear", "&Year", "Year view"}};
    for (const auto& v : views) {
        QAction* a = new QAction(QString::fromUtf8(v.menuText), viewGroup_);
        a->setObjectName(v.name);
        a->setIconText(QString::fromUtf8(v.toolbarText));
        a->setCheckable(true);
        a->setChecked(v.view == View::Month);
        connect(a, &QAction::toggled, this, [this, view = v.view](bool on) {
            if (on) DisplayView(view);
        });
        viewActions_[static_cast<size_t>(v.view)] = a;
    }
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("mFile");
    connect(AddItem(file, "mPrintView", "&Print current view"), &QAction::triggered, this,
            &MainWindow::PrintCurrentView);
    connect(AddItem(file, "mPrintShabbat", "Print &Shabbat hours and parashot for displayed month"),
            &QAction::triggered, this, &MainWindow::PrintShabbatHours);
    AddHiddenItem(file, "mPrintParashot", "Print Parashot for displayed Hebrew y&ear");
    AddHiddenItem(file, "mPrintFeasts", "Print &Feast schedule");
    file->addSeparator();
    connect(AddItem(file, "mExportHtml", "Export current common year to &HTML documents"), &QAction::triggered, this,
            &MainWindow::ExportYearToHtml);
    connect(AddItem(file, "mExportFeasts", "Export holy days of current common year to &calendar..."),
            &QAction::triggered, this, &MainWindow::ExportYearFeasts);
    file->addSeparator();
    connect(AddItem(file, "mExit", "E&xit"), &QAction::triggered, this, &QWidget::close);

    QMenu* view = bar->addMenu("&View");
    view->setObjectName("mView");
    view->addActions(viewGroup_->actions());

    QMenu* dates = bar->addMenu("Date selection");
    dates->setObjectName("mDateSelection");
    QAction* goToCommon = AddItem(dates, "mGoToCommonDate", "Go to &Common date...");
    goToCommon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    connect(goToCommon, &QAction::triggered, this, &MainWindow::GoToCommonDate);
    AddHiddenItem(dates, "mGoToHebrewDate", "Go to &Hebrew date...")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
    dates->addSeparator();
    nextMonthItem_ = AddItem(dates, "mNextMonth", "&Next Month");
    nextMonthItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(nextMonthItem_, &QAction::triggered, this, [this] {
        if (view_ == View::Month) NextMonth();
    });
    previousMonthItem_ = AddItem(dates, "mPreviousMonth", "&Previous month");
    previousMonthItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(previousMonthItem_, &QAction::triggered, this, [this] {
        if (view_ == View::Month) PreviousMonth();
    });

    QMenu* settings = bar->addMenu("&Settings");
    settings->setObjectName("mSettings");
    connect(AddItem(settings, "mColorScheme", "&Color scheme"), &QAction::triggered, this,
            &MainWindow::ChooseColorScheme);
    AddHiddenItem(settings, "mDateRules", "&Date rules");
    connect(AddItem(settings, "mLocation", "Location settings"), &QAction::triggered, this,
            &MainWindow::OpenLocationSettings);
    settings->addSeparator();
    shabbatTimesItem_ = AddItem(settings, "mShabbatTimesOnHolyDays", "Show Shabbat times on holy days");
    shabbatTimesItem_->setCheckable(true);
    connect(shabbatTimesItem_, &QAction::toggled, this, &MainWindow::SetShabbatTimesOnHolyDays);
    connect(AddItem(settings, "mCandleMinutes", "Candle-lighting &minutes"), &QAction::triggered, this, [this] {
        if (const std::optional<int> minutes = AskCandleMinutes(this, state_.candleMinutes)) SetCandleMinutes(*minutes);
    });
    // A radio item of a submenu that changes one of the rules the years are placed by.
    const auto ruleChoice = [this](QMenu* menu, QActionGroup* group, const char* name, const char* text, auto change) {
        QAction* item = AddItem(menu, name, text);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::toggled, this, [this, change](bool on) {
            if (!on) return;
            HolyDayRules rules = source_->Data().rules;
            change(rules);
            SetHolyDayRules(rules);
        });
        return item;
    };
    QMenu* omer = settings->addMenu("Count of the Omer and Shavuot");
    omer->setObjectName("mOmerReckoning");
    auto* omerGroup = new QActionGroup(omer);
    omerSabbathItem_ = ruleChoice(omer, omerGroup, "mOmerSabbath", "From the morrow after the Sabbath",
                                  [](HolyDayRules& r) { r.omer = OmerReckoning::Sabbath; });
    omerNisan16Item_ = ruleChoice(omer, omerGroup, "mOmerNisan16", "From 16 Nisan",
                                  [](HolyDayRules& r) { r.omer = OmerReckoning::Nisan16; });
    QMenu* schedule = settings->addMenu("Schedule");
    schedule->setObjectName("mSchedule");
    auto* scheduleGroup = new QActionGroup(schedule);
    scheduleItems_[0] = ruleChoice(schedule, scheduleGroup, "mScheduleAuto", "Israel's in Israel, else outside Israel's",
                                   [](HolyDayRules& r) { r.schedule = ScheduleChoice::Auto; });
    scheduleItems_[1] = ruleChoice(schedule, scheduleGroup, "mScheduleDiaspora", "Outside Israel",
                                   [](HolyDayRules& r) { r.schedule = ScheduleChoice::Diaspora; });
    scheduleItems_[2] = ruleChoice(schedule, scheduleGroup, "mScheduleIsrael", "Israel",
                                   [](HolyDayRules& r) { r.schedule = ScheduleChoice::Israel; });
    modernDaysItem_ = AddItem(settings, "mModernDays", "Show the modern Israeli days");
    modernDaysItem_->setCheckable(true);
    connect(modernDaysItem_, &QAction::toggled, this, [this](bool on) {
        HolyDayRules rules = source_->Data().rules;
        rules.modernDays = on;
        SetHolyDayRules(rules);
    });

    QMenu* planning = bar->addMenu("Feast &Planning");
    planning->setObjectName("mFeastPlanning");
    connect(AddItem(planning, "mFeastResources", "Feast &Resources"), &QAction::triggered, this,
            &MainWindow::OpenFeastResources);
    connect(AddItem(planning, "mPersonalDates", "&Personal dates"), &QAction::triggered, this,
            &MainWindow::OpenPersonalDates);
    AddHiddenItem(planning, "mCommonDateInfo", "&Common date information");
    AddHiddenItem(planning, "mHebrewDateInfo", "&Hebrew date information");

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mHelp");
    AddItem(help, "mHelpIndex", "&Help index")->setEnabled(false);  // the help is the man page; there is no help file
    help->addSeparator();
    connect(AddItem(help, "mAbout", "&About Varnel"), &QAction::triggered, this, [this] { ShowAbout(this); });
}

void MainWindow::BuildToolbar() {
    QToolBar* bar = addToolBar("Toolbar");
    bar->setObjectName("tbrMain");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const std::pair<View, const char*> buttons[] = {
        {View::Day, "ssrDayView"}, {View::Month, "ssrMonthView"}, {View::Year, "ssrYearView"}};
    for (const auto& [view, name] : buttons) {
        bar->addAction(ViewAction(view));
        bar->widgetForAction(ViewAction(view))->setObjectName(name);
    }
    bar->addSeparator();
    for (int i = 0; i < kCommandButtonCount; ++i) {
        QAction* a = new QAction(kCommandTexts[i], this);
        a->setObjectName(QStringLiteral("sscCommand%1").arg(i));
        commandButtons_[static_cast<size_t>(i)] = a;
        bar->addAction(a);
        // Buttons without a text have no action: they are kept but not shown.
        if (a->text().isEmpty()) a->setVisible(false);
    }
    connect(commandButtons_[1], &QAction::triggered, this, &MainWindow::PrintCurrentView);
    connect(commandButtons_[2], &QAction::triggered, this, &MainWindow::ExportMonthPortions);
}

QAction* MainWindow::CommandButton(int index) const {
    return index >= 0 && index < kCommandButtonCount ? commandButtons_[static_cast<size_t>(index)] : nullptr;
}

void MainWindow::ShowView(View view) {
    QAction* action = ViewAction(view);
    if (action->isChecked())
        DisplayView(view);
    else
        action->setChecked(true);  // the group unchecks the others; toggled() displays the view
}

void MainWindow::DisplayView(View view) {
    switch (view) {
        case View::Day:
            ShowDay();
            view_ = View::Day;
            panels_->setCurrentWidget(Day());
            break;
        case View::Month: {
            const WaitCursor wait;
            if (month_->Model().lastStartOfMonth != state_.currentDate) ShowCalendar();
            view_ = View::Month;
            panels_->setCurrentWidget(month_);
            break;
        }
        case View::Year:
            CloseCellNote();
            Year()->ShowYear(state_.Year());
            view_ = View::Year;
            panels_->setCurrentWidget(year_);
            break;
    }
    UpdateWindowTitle();
}

// Fills the day panel for the selected cell of the month grid. The year
// buttons move the displayed month without rendering it, so a grid left from
// another month is rendered first: the day's lines must belong to the day in
// the title.
void MainWindow::ShowDay() {
    if (month_->Model().lastStartOfMonth != state_.currentDate) ShowCalendar();
    Day()->ShowDay(month_->Model().grid, source_->Data().rules.omer);
}

void MainWindow::ShowCalendar() {
    // A note belongs to a day of the month it was opened on.
    if (month_->Model().lastStartOfMonth != state_.currentDate) CloseCellNote();
    // The year and day titles take the Shabbat colour with the month title's.
    if (year_) year_->ApplyTitleColors();
    if (day_) day_->ApplyTitleColors();
    month_->ShowCalendar();
    UpdateWindowTitle();
}

void MainWindow::UpdateWindowTitle() {
    QString shown;
    switch (view_) {
        case View::Day:
            shown = Day()->Title()->text();
            break;
        case View::Month: shown = QString::fromStdString(MonthYearText(state_.currentDate)); break;
        case View::Year: shown = QString::number(state_.Year()); break;
    }
    setWindowTitle(shown.isEmpty() ? QStringLiteral("Varnel") : shown + QStringLiteral(" \u2014 Varnel"));
}

void MainWindow::RedrawShownView() {
    CloseCellNote();
    ShowCalendar();  // the month stays rendered behind the other views
    if (view_ == View::Year) Year()->ShowYear(state_.Year());
    if (view_ == View::Day) ShowDay();
    UpdateWindowTitle();
}

void MainWindow::SetShabbatTimesOnHolyDays(bool on) {
    if (state_.shabbatTimesOnHolyDays == on) return;
    state_.shabbatTimesOnHolyDays = on;
    if (startedUp_) RedrawShownView();
}

void MainWindow::SetHolyDayRules(const HolyDayRules& rules) {
    if (rules == source_->Data().rules) return;
    source_->SetRules(rules);
    ShowHolyDayRules();
    if (startedUp_) RedrawShownView();
}

// The menu's marks for the rules in force.
void MainWindow::ShowHolyDayRules() {
    const HolyDayRules& rules = source_->Data().rules;
    if (!modernDaysItem_) return;
    const QSignalBlocker a(omerSabbathItem_), b(omerNisan16Item_), c(modernDaysItem_);
    omerSabbathItem_->setChecked(rules.omer == OmerReckoning::Sabbath);
    omerNisan16Item_->setChecked(rules.omer == OmerReckoning::Nisan16);
    modernDaysItem_->setChecked(rules.modernDays);
    constexpr ScheduleChoice kChoices[] = {ScheduleChoice::Auto, ScheduleChoice::Diaspora, ScheduleChoice::Israel};
    for (size_t i = 0; i < scheduleItems_.size(); ++i) {
        const QSignalBlocker block(scheduleItems_[i]);
        scheduleItems_[i]->setChecked(rules.schedule == kChoices[i]);
    }
}

void MainWindow::ShowMonthOf(Date date) { state_.ShowMonthOf(date); }

void MainWindow::NextMonth() {
    if (state_.NextMonth()) AfterMonthMoved();
}

void MainWindow::PreviousMonth() {
    if (state_.PreviousMonth()) AfterMonthMoved();
}

// A month in another common year takes that year from the source, complete
// with its portions, special readings and daylight rules.
void MainWindow::AfterMonthMoved() {
    const WaitCursor wait;
    ShowCalendar();
}

void MainWindow::GoToCommonDate() {
    const std::optional<Date> picked = ShowGoToDateDialog(this, state_.currentDate);
    if (!picked || *picked == state_.currentDate) return;
    state_.ShowMonthOf(*picked);
    switch (view_) {
        case View::Day:
            ShowCalendar();
            ShowView(View::Month);
            break;
        case View::Month:
            ShowCalendar();
            break;
        case View::Year:
            Year()->ShowYear(state_.Year());
            break;
    }
}

void MainWindow::ChooseColorScheme() {
    const std::optional<int> chosen = ShowColorsDialog(this, state_.colorScheme);
    if (!chosen || *chosen == state_.colorScheme) return;
    state_.SelectColorScheme(*chosen);
    ShowCalendar();
}

void MainWindow::OpenLocationSettings() {
    const std::optional<PlaceChoice> choice = ShowLocationDialog(this, source_->Choice(), state_.currentDate);
    // The shown times belong to the place: a new place or daylight source redraws them.
    if (!choice) return;
    const bool moved = source_->SetPlace(*choice);
    if (const std::optional<int> custom = OfferPlaceCandleMinutes(this, choice->name, state_.candleMinutes)) {
        SetCandleMinutes(*custom);
    } else if (moved && startedUp_) {
        RedrawShownView();
    }
}

void MainWindow::SetCandleMinutes(int minutes) {
    if (state_.candleMinutes == minutes) return;
    state_.candleMinutes = minutes;
    if (startedUp_) RedrawShownView();
}

// The month grid paints last of the window: once it has, the start-up is
// prepared on the event loop's next pass.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == month_->Grid() && !preparing_) {
        preparing_ = true;
        month_->Grid()->removeEventFilter(this);
        QTimer::singleShot(0, this, &MainWindow::PrepareStartUp);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::PrepareStartUp() {
    if (startUpBegun_) return;
    TakeData();
    source_->Year(state_.Year());
    month_->Grid()->PrepareFonts();
    PrepareSplash(this);
}

void MainWindow::TakeData() {
    if (dataTaken_) return;
    dataTaken_ = true;
    const HolyDayRules rules = source_->Data().rules;  // as the settings gave them
    CalendarData data = LoadCalendarData(ProgramFolder());
    const DataFileReport report = data.report;
    source_->SetData(std::move(data));
    source_->SetRules(rules);
    emit DataFilesRead(report);
}

void MainWindow::RunStartUp() {
    if (startUpBegun_) return;
    startUpBegun_ = true;
    ShowSplash(this);
    QCoreApplication::processEvents();
    startTimer_->stop();
    FinishStartUp();
}

void MainWindow::FinishStartUp() {
    startedUp_ = true;
    TakeData();
    // The personal dates' line takes its room above the month before the month paints.
    const PersonalDates& personal = source_->Data().personal;
    std::string reminder = PersonalReminder(personal.dates, Today());
    for (const std::string& skipped : personal.skipped)
        reminder += (reminder.empty() ? "" : "\n") + std::string(kPersonalDatesFile) + ": " + skipped;
    reminder_->Remind(QString::fromStdString(reminder));
    if (reminder_->isVisible()) centralWidget()->layout()->activate();
    ShowCalendar();
    // The month shows now, not at the window system's next update.
    if (isVisible()) month_->repaint();
    NoticeMissingDataFiles(this, ProgramFolder());
    emit StartUpFinished();
}

// The floating note beside a month-grid cell.
void MainWindow::ShowCellNote(const QString& text, int row, int col) {
    // The pointer passing over a window in the background shows no note.
    if (!isActiveWindow()) return;
    FloatingNote& note = FlexNote(this);
    note.SetNoteText(text);
    note.ShowNote(*month_->Grid(), row, col);
}

void MainWindow::CloseCellNote() { CloseFlexNote(); }

void MainWindow::PrintCurrentView() {
    if (view_ == View::Month) {
        CalendarPageInputs month;
        month.monthGrid = month_->Model().grid;
        month.title = month_->Model().title;
        month.firstDay = state_.currentDate;
        month.lastDay = state_.currentMonthEnd;
        month.shabbat = ShabbatInputsFor(*source_, state_);
        if (const WindowExtras* extras = WindowExtrasFor(this)) extras->printMonth(this, month);
        return;
    }
    if (const WindowExtras* extras = WindowExtrasFor(this))
        extras->printCurrentView(this, {static_cast<int>(view_), day_ ? &day_->Model() : nullptr,
                                        year_ ? &year_->Model() : nullptr, ShabbatInputsFor(*source_, state_),
                                        MonthTitle(state_.currentDate, state_.currentMonthEnd)});
}

void MainWindow::PrintShabbatHours() {
    if (const WindowExtras* extras = WindowExtrasFor(this))
        extras->printShabbatHours(this, ShabbatInputsFor(*source_, state_),
                                  MonthTitle(state_.currentDate, state_.currentMonthEnd));
}

// The year view is filled for the displayed common year; the displayed month stays.
void MainWindow::ExportYearToHtml() {
    const WindowExtras* extras = WindowExtrasFor(this);
    if (!extras) return;
    Year()->ShowYear(state_.Year());
    extras->exportYearToHtml(this, year_->Model(), *source_, state_);
}

void MainWindow::ExportMonthPortions() {
    if (const WindowExtras* extras = WindowExtrasFor(this))
        extras->exportMonthToCalendar(this, state_.currentDate, source_->Year(state_.Year()).parashot);
}

void MainWindow::ExportYearFeasts() {
    if (const WindowExtras* extras = WindowExtrasFor(this))
        extras->exportFeastsToCalendar(this, state_.Year(), source_->Data(), source_->Choice(), state_.candleMinutes);
}

void MainWindow::OpenFeastResources() {
    ShowFeastResources(this, source_->Data().holyDays, source_->Data().folder);
}

void MainWindow::OpenPersonalDates() {
    PersonalDatesDialog* window = ShowPersonalDates(this, source_->Data().folder);
    connect(window, &PersonalDatesDialog::DatesChanged, this, &MainWindow::PersonalDatesChanged, Qt::UniqueConnection);
}

void MainWindow::PersonalDatesChanged() {
    source_->SetPersonalDates(LoadPersonalDates(PathIn(source_->Data().folder, kPersonalDatesFile)));
    if (startedUp_) RedrawShownView();
}

void MainWindow::LoadSettings() {
    source_->SetPlace(ReadLocationSettings());
    state_.floatDetails = ReadFloatDetailsSetting();
    state_.SelectColorScheme(ReadColorSchemeSetting());
    state_.shabbatTimesOnHolyDays = ReadShabbatTimesOnHolyDaysSetting();
    state_.candleMinutes = ReadCandleMinutesSetting();
    if (shabbatTimesItem_) {
        const QSignalBlocker block(shabbatTimesItem_);
        shabbatTimesItem_->setChecked(state_.shabbatTimesOnHolyDays);
    }
    source_->SetRules(ReadHolyDayRulesSetting());
    ShowHolyDayRules();
}

void MainWindow::SaveSettings(SettingsBatch& batch) const {
    WriteLocationSettings(source_->Choice(), batch);
    batch.WriteInt(setting::kFloatDetails, state_.floatDetails ? -1 : 0);
    batch.WriteInt(setting::kColorScheme, state_.colorScheme);
    batch.WriteInt(setting::kShabbatTimesOnHolyDays, state_.shabbatTimesOnHolyDays ? 1 : 0);
    batch.WriteInt(setting::kCandleMinutes, state_.candleMinutes);
    WriteHolyDayRulesSetting(source_->Data().rules, batch);
}

void MainWindow::LoadWindow() {
    const ScreenTwips screen = ScreenOf(this);
    const auto toTwipsX = [&](int px) { return static_cast<int>(std::lround(px * screen.twipsPerPixelX)); };
    const auto toTwipsY = [&](int px) { return static_cast<int>(std::lround(px * screen.twipsPerPixelY)); };
    const auto toPixelsX = [&](int tw) { return static_cast<int>(std::lround(tw / screen.twipsPerPixelX)); };
    const auto toPixelsY = [&](int tw) { return static_cast<int>(std::lround(tw / screen.twipsPerPixelY)); };
    const WindowPlacement at =
        PlaceWindow(ReadSetting(setting::kWindowPos, QString()).toStdString(), screen.width, screen.height,
                    toTwipsX(x()), toTwipsY(y()), toTwipsX(width()), toTwipsY(height()));
    // The twips were saved under some scale factor; in pixels of this one the
    // window may no longer fit, so it is kept inside the available screen.
    QRect frame(toPixelsX(at.left), toPixelsY(at.top), toPixelsX(at.width), toPixelsY(at.height));
    const QScreen* shown = QWidget::screen() ? QWidget::screen() : QGuiApplication::primaryScreen();
    if (shown) frame = FitInto(frame, shown->availableGeometry());
    move(frame.topLeft());
    resize(frame.size());
    setWindowState(at.maximized ? (windowState() | Qt::WindowMaximized) : (windowState() & ~Qt::WindowMaximized));
}

void MainWindow::SaveWindowPos(SettingsBatch& batch) const {
    const ScreenTwips screen = ScreenOf(this);
    const bool maximized = isMaximized();
    // A maximized window keeps the size it had before, so leaving the
    // maximized state after the next start gives back that size.
    QRect normal(pos(), size());
    if (maximized && normalGeometry().isValid()) {
        // normalGeometry() is the client area; keep the frame's corner as pos() does.
        normal = normalGeometry();
        normal.translate(pos() - geometry().topLeft());
    }
    std::string value;
    if (!WindowPosToSave(isMinimized(), maximized, static_cast<int>(std::lround(normal.x() * screen.twipsPerPixelX)),
                         static_cast<int>(std::lround(normal.y() * screen.twipsPerPixelY)),
                         static_cast<int>(std::lround(normal.width() * screen.twipsPerPixelX)),
                         static_cast<int>(std::lround(normal.height() * screen.twipsPerPixelY)), value))
        return;
    batch.Write(setting::kWindowPos, QString::fromStdString(value));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    CloseCellNote();
    {
        // Every setting in one write of the file, as the window closes.
        SettingsBatch batch;
        SaveWindowPos(batch);
        SaveSettings(batch);
    }
    QMainWindow::closeEvent(event);
}

}  // namespace varnel
