#include "gui/views/MonthPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include "gui/views/GridPainter.h"
#include "core/views/ColorScheme.h"
#include "gui/views/GridKeys.h"
#include "gui/views/GridWidget.h"
#include "gui/views/TitleColors.h"
#include "core/views/ViewState.h"

namespace varnel {
namespace {

constexpr int kTitleBandHeight = 345;  // twips above the grid host
constexpr int kNextButtonOverhang = 20;
constexpr int kTitleGap = 4;  // pixels between the title's text and a button
constexpr double kSmallestTitlePoints = 7;

}  // namespace

MonthPanel::MonthPanel(ViewState& state, CalendarSource& source, QWidget* parent)
    : QWidget(parent), state_(state), source_(source) {
    setObjectName("picMonth");

    title_ = new QLabel(this);
    title_->setObjectName("lblMonthYear");
    title_->setAlignment(Qt::AlignCenter);
    title_->setAutoFillBackground(true);
    titleFont_ = title_->font();
    titleFont_.setBold(true);
    titleFont_.setPointSizeF(titleFont_.pointSizeF() * 1.25);
    title_->setFont(titleFont_);

    lastStartOfMonth_ = new QLabel(this);
    lastStartOfMonth_->setObjectName("lblTheLastStartOfMonth");
    lastStartOfMonth_->hide();

    previous_ = new QPushButton("<<<", this);
    previous_->setObjectName("cmdPreviousMonth");
    previous_->setToolTip("Previous month");
    next_ = new QPushButton(">>>", this);
    next_->setObjectName("cmdNextMonth");
    next_->setToolTip("Next month");
    for (QPushButton* b : {previous_, next_}) {
        b->setAutoDefault(false);
        b->setAccessibleName(b->toolTip());  // a screen reader would say "less less less"
    }
    connect(previous_, &QPushButton::clicked, this, &MonthPanel::PreviousMonthRequested);
    connect(next_, &QPushButton::clicked, this, &MonthPanel::NextMonthRequested);

    host_ = new QWidget(this);
    host_->setObjectName("picGridHost");
    grid_ = new GridWidget(host_);
    grid_->setObjectName("vsFlex");
    // The grid shows its model from the first rendering on: until the start-up
    // renders the month, the window paints the grid's place and no empty cells.
    grid_->SetFixedRows(1);
    QFont cellFont = grid_->font();
    cellFont.setPointSizeF(8.5);
    grid_->SetCellFont(cellFont);
    QFont headerFont = cellFont;
    headerFont.setPointSizeF(8);
    headerFont.setBold(true);
    grid_->SetHeaderFont(headerFont);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPointSize(12);
    grid_->SetCornerLabelStyle(labelFont, ToQColor(kNavyColor, Qt::black, palette()),
                               kDayLabelInset);

    // The keyboard: arrows over the days, Enter opens the day, Tab visits the
    // "Floating info" switch and Space toggles it; Tab runs <<<, grid, >>>.
    auto* keys = new GridKeys(grid_, [this](int row, int col) { return model_.grid.Cell(row, col).date.has_value(); });
    keys->SetTabCell(kFloatInfoRow, kFloatInfoCol);
    connect(keys, &GridKeys::SelectionMoved, this, &MonthPanel::KeyMovedSelection);
    connect(keys, &GridKeys::Activated, this, &MonthPanel::DayDoubleClicked);
    connect(keys, &GridKeys::CheckToggled, this, [this] {
        state_.floatDetails = model_.grid.Cell(kFloatInfoRow, kFloatInfoCol).check == CheckState::Checked;
        if (!state_.floatDetails) emit NoteCloseRequested();
    });
    setTabOrder(previous_, grid_);
    setTabOrder(grid_, next_);

    connect(grid_, &GridWidget::Clicked, this, &MonthPanel::GridClicked);
    connect(grid_, &GridWidget::DoubleClicked, this, &MonthPanel::DayDoubleClicked);
    connect(grid_, &GridWidget::ButtonPressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) { GridButtonPressed(button); });
    connect(grid_, &GridWidget::PointerMoved, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int, int) { GridPointerMoved(buttons); });

    ClearMonthGrid(model_);
    ApplyTitleColors();
}

void MonthPanel::ShowCalendar() {
    ApplyTitleColors();
    const bool monthChanged = model_.lastStartOfMonth != state_.currentDate;
    ComposeMonth(state_, source_, model_);
    if (!grid_->Model()) grid_->SetGrid(&model_.grid);
    title_->setText(QString::fromStdString(model_.title));
    grid_->setAccessibleName(title_->text());
    FitTitle();
    lastStartOfMonth_->setText(QString::number(model_.lastStartOfMonth.Serial()));
    UpdateDayLabels();
    MarkToday(monthChanged);
    grid_->Refresh();
}

// Today's cell is framed; a month that holds today opens with today selected.
void MonthPanel::MarkToday(bool monthChanged) {
    const Date today = Today();
    if (today < model_.lastStartOfMonth || today > state_.currentMonthEnd) {
        grid_->SetTodayCell(-1, -1);
        return;
    }
    const MonthCell at = MonthCellOf(model_.lastStartOfMonth, today - model_.lastStartOfMonth + 1);
    grid_->SetTodayCell(at.row, at.col);
    if (!monthChanged) return;
    grid_->Select(at.row, at.col);
    state_.selectedRow = at.row;
    state_.selectedCol = at.col;
}

void MonthPanel::KeyMovedSelection() {
    state_.selectedRow = grid_->Row();
    state_.selectedCol = grid_->Col();
    emit NoteCloseRequested();
}

void MonthPanel::ApplyTitleColors() {
    SetTitleColors(title_, state_.shabbatColor);
}

void MonthPanel::FitTitle() {
    // The text stays between the two buttons, in a smaller face when the panel is narrow.
    const int room = title_->width() - 2 * (previous_->width() + kTitleGap);
    QFont font = titleFont_;
    while (font.pointSizeF() > kSmallestTitlePoints && QFontMetrics(font).horizontalAdvance(title_->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font != title_->font()) title_->setFont(font);
}

void MonthPanel::UpdateDayLabels() {
    std::vector<GridWidget::CornerLabel> labels;
    labels.reserve(31);
    for (int k = 1; k < static_cast<int>(model_.dayLabelVisible.size()); ++k) {
        if (!model_.dayLabelVisible[static_cast<size_t>(k)]) continue;
        const MonthCell at = model_.dayLabelCells[static_cast<size_t>(k)];
        labels.push_back({at.row, at.col, QString::number(k)});
    }
    grid_->SetCornerLabels(std::move(labels));
}

void MonthPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void MonthPanel::LayOut() {
    const int band = grid_->TwipsToPixelsY(kTitleBandHeight);
    title_->setGeometry(0, 0, width(), band);
    const int buttonWidth = qMax(previous_->sizeHint().width(), 56);
    previous_->setGeometry(0, 0, buttonWidth, band);
    next_->setGeometry(width() - buttonWidth + grid_->TwipsToPixelsX(kNextButtonOverhang) - 1, 0, buttonWidth, band);
    next_->raise();
    previous_->raise();
    FitTitle();
    host_->setGeometry(0, band, width(), qMax(0, height() - band));
    grid_->setGeometry(0, 0, host_->width(), host_->height());
    SizeGridToHost();
}

void MonthPanel::SizeGridToHost() {
    SizeMonthGrid(model_, grid_->PixelsToTwipsX(grid_->width()), grid_->PixelsToTwipsY(grid_->height()));
    grid_->Refresh();
}

void MonthPanel::GridClicked() {
    state_.selectedRow = grid_->Row();
    state_.selectedCol = grid_->Col();
    emit NoteCloseRequested();
}

void MonthPanel::GridButtonPressed(Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    if (grid_->MouseRow() != kFloatInfoRow || grid_->MouseCol() != kFloatInfoCol) return;
    grid_->Select(kFloatInfoRow, kFloatInfoCol);
    grid_->EditCell();
    state_.floatDetails = model_.grid.Cell(kFloatInfoRow, kFloatInfoCol).check == CheckState::Checked;
}

void MonthPanel::GridPointerMoved(Qt::MouseButtons buttons) {
    if (model_.grid.Cell(kFloatInfoRow, kFloatInfoCol).check != CheckState::Checked) return;
    const HoverResult hover = notes_.PointerMoved(model_.grid, model_.lastStartOfMonth, grid_->MouseRow(), grid_->MouseCol(),
                                                  buttons != Qt::NoButton);
    switch (hover.action) {
        case HoverResult::Action::None: break;
        case HoverResult::Action::Close: emit NoteCloseRequested(); break;
        case HoverResult::Action::Show:
            if (hover.closePrevious) emit NoteCloseRequested();
            emit NoteShowRequested(QString::fromStdString(hover.text), grid_->MouseRow(), grid_->MouseCol());
            break;
    }
}

}  // namespace varnel
