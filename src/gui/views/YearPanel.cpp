#include "gui/views/YearPanel.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdlib>

#include "core/calendar/HolyDays.h"
#include "core/common/Date.h"
#include "core/views/CellSpeech.h"
#include "core/views/ColorScheme.h"
#include "gui/views/GridKeys.h"
#include "gui/views/GridWidget.h"
#include "gui/views/TitleColors.h"
#include "gui/rules/YearLayout.h"
#include "core/views/ViewState.h"
#include "gui/views/FloatingNote.h"
#include "gui/common/WaitCursor.h"

namespace varnel {
namespace {

constexpr int kTitleHeight = 345;  // twips

}  // namespace

YearPanel::YearPanel(ViewState& state, CalendarSource& source, QWidget* parent)
    : QWidget(parent), state_(state), source_(source) {
    setObjectName(QStringLiteral("picYear"));

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblYear"));
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    title_->setFont(titleFont);

    previous_ = new QPushButton(QStringLiteral("<<<"), this);
    previous_->setObjectName(QStringLiteral("cmdPreviousYear"));
    previous_->setToolTip(QStringLiteral("Previous year"));
    next_ = new QPushButton(QStringLiteral(">>>"), this);
    next_->setObjectName(QStringLiteral("cmdNextYear"));
    next_->setToolTip(QStringLiteral("Next year"));
    for (QPushButton* b : {previous_, next_}) {
        b->setAccessibleName(b->toolTip());  // a screen reader would say "less less less"
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    connect(previous_, &QPushButton::clicked, this, &YearPanel::PreviousYear);
    connect(next_, &QPushButton::clicked, this, &YearPanel::NextYear);

    QFont labelFont = font();
    labelFont.setBold(true);
    labelFont.setPointSizeF(8.5);  // fits the 195 twips above each grid
    QFont cellFont = font();
    cellFont.setPointSizeF(8.5);
    QFont headerFont = cellFont;
    headerFont.setBold(true);
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0x1a, 0x23, 0x7e));
    for (int m = 0; m < 12; ++m) {
        const QString index = QString::number(m);
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblMonthName") + index);
        label->setFont(labelFont);
        label->setCursor(Qt::PointingHandCursor);
        label->setPalette(labelPalette);
        label->installEventFilter(this);
        labels_[static_cast<size_t>(m)] = label;

        auto* grid = new GridWidget(this);
        grid->setObjectName(QStringLiteral("vsYear") + index);
        grid->SetGrid(&model_.grids[static_cast<size_t>(m)]);
        grid->SetFixedRows(1);
        grid->SetCellFont(cellFont);
        grid->SetHeaderFont(headerFont);
        // A day is read as its date, and as a holy day when the grid marks it one.
        grid->SetCellSpeech([this, m](const Grid& days, int row, int col) {
            const GridCell& cell = days.Cell(row, col);
            const int day = row >= 1 ? std::atoi(cell.text.c_str()) : 0;
            if (day < 1 || model_.year < kMinYear) return SpeechOfCell(cell);
            const bool holy = cell.foreground == kBlackColor && cell.background != kWhiteColor;
            return SpeechOfDay(Date(model_.year, m + 1, day), holy ? "holy day" : "");
        });
        auto* keys = new GridKeys(grid, [this, m](int row, int col) {
            // Day cells carry their day number; the header row and the blanks do not.
            return row >= 1 && !model_.grids[static_cast<size_t>(m)].Cell(row, col).text.empty();
        });
        connect(keys, &GridKeys::SelectionMoved, this, [this, m] { GridClicked(m); });
        connect(keys, &GridKeys::Activated, this, [this, m] { GridDoubleClicked(m); });
        connect(grid, &GridWidget::Clicked, this, [this, m] { GridClicked(m); });
        connect(grid, &GridWidget::DoubleClicked, this, [this, m] { GridDoubleClicked(m); });
        connect(grid, &GridWidget::PointerMoved, this,
                [this, m](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int, int) { GridPointerMoved(m, buttons); });
        grids_[static_cast<size_t>(m)] = grid;
    }
    ApplyTitleColors();
}

void YearPanel::ApplyTitleColors() {
    SetTitleColors(title_, state_.shabbatColor);
}

void YearPanel::ShowYear(int year) {
    if (year < kMinYear || year > kMaxYear) return;
    const YearCalendar& calendar = source_.Year(year);
    varnel::ShowYear(static_cast<int16_t>(year), calendar.holyDays, state_.holyDayColor, state_.shabbatColor, model_,
                     &calendar.personal);
    title_->setText(QString::fromStdString(model_.title));
    for (int m = 0; m < 12; ++m) {
        const QString label = QString::fromStdString(model_.monthLabels[static_cast<size_t>(m)]);
        labels_[static_cast<size_t>(m)]->setText(label);
        grids_[static_cast<size_t>(m)]->setAccessibleName(label);
        grids_[static_cast<size_t>(m)]->Refresh();
    }
    MarkToday();
    emit YearShown();
}

void YearPanel::MarkToday() {
    const YearMonthDay today = Today().Parts();
    const YearCell at = today.year == model_.year ? YearCellOf(today.year, today.month, today.day) : YearCell{-1, -1, -1};
    for (int m = 0; m < 12; ++m) {
        GridWidget* grid = grids_[static_cast<size_t>(m)];
        if (m == at.month) grid->SetTodayCell(at.row, at.col);
        else grid->SetTodayCell(-1, -1);
    }
}

void YearPanel::MoveToYear(int year) {
    if (model_.year == 0 || year < kMinYear || year > kMaxYear) return;
    state_.currentDate = Date(year, 1, 1);
    state_.ApplyMonthBounds();
    const WaitCursor wait;
    ShowYear(year);
}

void YearPanel::NextYear() { MoveToYear(model_.year + 1); }
void YearPanel::PreviousYear() { MoveToYear(model_.year - 1); }

// The displayed month becomes a month of the shown year.
bool YearPanel::SelectMonth(int month) {
    if (model_.year < kMinYear || model_.year > kMaxYear) return false;
    state_.currentDate = Date(model_.year, month + 1, 1);
    state_.ApplyMonthBounds();
    return true;
}

void YearPanel::GridClicked(int month) {
    CloseFlexNote();
    // One selected day in the year: the other months' grids let theirs go.
    for (int m = 0; m < 12; ++m)
        if (m != month) grids_[static_cast<size_t>(m)]->Select(0, 0);
    if (!SelectMonth(month)) return;
    emit MonthRenderRequested();
    state_.selectedRow = grids_[static_cast<size_t>(month)]->Row();
    state_.selectedCol = grids_[static_cast<size_t>(month)]->Col();
}

void YearPanel::GridDoubleClicked(int month) {
    if (!SelectMonth(month)) return;
    emit MonthRenderRequested();
    if (state_.selectedRow == 0) state_.selectedRow = 1;
    if (state_.selectedCol == -1) state_.selectedCol = 0;
    emit DayViewRequested();
}

void YearPanel::GridPointerMoved(int month, Qt::MouseButtons buttons) {
    GridWidget* grid = grids_[static_cast<size_t>(month)];
    // A day marked for personal dates names them in its tip.
    const GridCell& cell = model_.grids[static_cast<size_t>(month)].Cell(grid->MouseRow(), grid->MouseCol());
    grid->setToolTip(QString::fromStdString(cell.data));
    if (!state_.floatDetails) return;
    hoverRow_ = grid->MouseRow();
    hoverCol_ = grid->MouseCol();
    // Year cells carry no details: a note left from the month view goes.
    if (hoverRow_ >= 1 && buttons == Qt::NoButton) CloseFlexNote();
}

bool YearPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int m = 0; m < 12; ++m) {
            QLabel* label = labels_[static_cast<size_t>(m)];
            if (watched != label) continue;
            // Like a button: a press dragged off the name before release is no click.
            const bool inside = label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (inside && SelectMonth(m)) emit MonthViewRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void YearPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void YearPanel::LayOut() {
    const GridWidget* scale = grids_[0];
    const int buttonWidth = qMax(previous_->sizeHint().width(), 56);
    const YearLayout layout = LayOutYear(scale->PixelsToTwipsX(width()), scale->PixelsToTwipsY(height()),
                                         scale->PixelsToTwipsX(buttonWidth));
    const int band = scale->TwipsToPixelsY(kTitleHeight);
    title_->setGeometry(0, 0, scale->TwipsToPixelsX(layout.titleWidth), band);
    previous_->setGeometry(0, 0, buttonWidth, band);
    next_->setGeometry(scale->TwipsToPixelsX(layout.nextButtonLeft) - 1, 0, buttonWidth, band);
    next_->raise();
    previous_->raise();
    model_.gridWidth = layout.grids[0].width;
    model_.gridHeight = layout.grids[0].height;
    for (int m = 0; m < 12; ++m) {
        const TwipsRect& g = layout.grids[static_cast<size_t>(m)];
        const TwipsRect& l = layout.labels[static_cast<size_t>(m)];
        GridWidget* grid = grids_[static_cast<size_t>(m)];
        grid->setGeometry(scale->TwipsToPixelsX(g.left), scale->TwipsToPixelsY(g.top), scale->TwipsToPixelsX(g.width),
                          scale->TwipsToPixelsY(g.height));
        labels_[static_cast<size_t>(m)]->setGeometry(scale->TwipsToPixelsX(l.left), scale->TwipsToPixelsY(l.top),
                                                     scale->TwipsToPixelsX(l.width), scale->TwipsToPixelsY(l.height));
        SizeYearGrid(model_.grids[static_cast<size_t>(m)], g.width, g.height);
        grid->Refresh();
    }
}

}  // namespace varnel
