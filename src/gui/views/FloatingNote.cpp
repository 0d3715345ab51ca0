#include "gui/views/FloatingNote.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

#include "gui/rules/FlexNotePlacement.h"
#include "gui/views/GridWidget.h"

namespace varnel {
namespace {

QPointer<FloatingNote> noteInstance;

QString ShownText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

FloatingNote::FloatingNote(QWidget* owner)
    // A tool window stays above the window it belongs to, and only above it.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint),
      noteEdit_(new QPlainTextEdit(this)),
      noteLabel_(new QLabel(this)),
      focusSink_(new QWidget(this)) {
    setObjectName(QStringLiteral("frmFlexNote"));
    setWindowTitle(QStringLiteral("Flex Cell Note"));
    setAttribute(Qt::WA_DeleteOnClose);
    noteEdit_->setObjectName(QStringLiteral("txtNote"));
    noteLabel_->setObjectName(QStringLiteral("lblNote"));
    focusSink_->setObjectName(QStringLiteral("txtJunk"));

    setStyleSheet(QStringLiteral("FloatingNote { background: #fffbe6; border: 1px solid #7a6a3a; }"));
    setAttribute(Qt::WA_StyledBackground);
    noteEdit_->setReadOnly(true);
    noteEdit_->setFrameShape(QFrame::NoFrame);
    noteEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    noteEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    noteEdit_->setFocusPolicy(Qt::ClickFocus);
    noteEdit_->setTextInteractionFlags(Qt::NoTextInteraction);
    noteEdit_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffbe6; color: black; }"));
    noteEdit_->viewport()->installEventFilter(this);

    noteLabel_->setTextFormat(Qt::PlainText);
    noteLabel_->setFont(noteEdit_->font());
    noteLabel_->hide();

    focusSink_->setFocusPolicy(Qt::StrongFocus);
    focusSink_->setGeometry(0, 0, 0, 0);
}

int FloatingNote::TwipsToPixelsX(int twips) const { return (twips * logicalDpiX() + 720) / 1440; }
int FloatingNote::TwipsToPixelsY(int twips) const { return (twips * logicalDpiY() + 720) / 1440; }

void FloatingNote::SetNoteText(const QString& text) {
    const QString shown = ShownText(text);
    noteLabel_->setText(shown);
    noteEdit_->setPlainText(shown);
    // The text box's document margins and the line spacing of a plain-text
    // box are a little larger than a label's, hence the measured width and
    // height plus the fixed allowances.
    const QSize extent = noteLabel_->sizeHint();
    resize(extent.width() + TwipsToPixelsX(kNoteExtraWidth), extent.height() + TwipsToPixelsY(kNoteExtraHeight));
    FitTextBox();
}

QString FloatingNote::NoteText() const { return noteEdit_->toPlainText(); }

void FloatingNote::ShowNote(GridWidget& grid, int row, int col) {
    grid_ = &grid;
    row_ = row;
    col_ = col;
    const QRect cell = grid.CellRect(row, col);
    const QPoint origin = grid.mapToGlobal(QPoint(0, 0));
    QScreen* screen = grid.screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);

    NotePlacementInput in;
    in.gridLeft = grid.PixelsToTwipsX(origin.x());
    in.gridTop = grid.PixelsToTwipsY(origin.y());
    in.colPos = grid.PixelsToTwipsX(cell.left());
    in.colWidth = grid.PixelsToTwipsX(cell.width());
    in.rowPos = grid.PixelsToTwipsY(cell.top());
    in.noteWidth = grid.PixelsToTwipsX(width());
    in.textHeight = grid.PixelsToTwipsY(noteLabel_->sizeHint().height());
    in.screenLeft = grid.PixelsToTwipsX(area.left());
    in.screenTop = grid.PixelsToTwipsY(area.top());
    in.screenWidth = grid.PixelsToTwipsX(area.width());
    in.screenHeight = grid.PixelsToTwipsY(area.height());
    const NotePlacement p = PlaceNote(in);

    resize(grid.TwipsToPixelsX(p.width), grid.TwipsToPixelsY(p.height));
    move(grid.TwipsToPixelsX(p.left), grid.TwipsToPixelsY(p.top));
    FitTextBox();
    // The note floats without taking the keyboard from the window under it:
    // the arrows keep moving the grid's selection. Within the note the hidden
    // control holds the focus, so the text shows without a caret.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    raise();
    focusSink_->setFocus();
    // Escape is watched wherever it is pressed while the note shows, and the
    // keyboard's window: any other than the note's own or its owner's (a
    // dialog, another program, none) closes the note.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FloatingNote::FocusWindowChanged, Qt::UniqueConnection);
}

void FloatingNote::FocusWindowChanged(QWindow* focused) {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && focused != windowHandle() && focused != owner->windowHandle()) close();
}

bool FloatingNote::BelongsHere(const QObject* object) const {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (!widget) return false;
    const QWidget* window = widget->window();
    return window == this || (parentWidget() && window == parentWidget()->window());
}

void FloatingNote::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitTextBox();
}

// A hidden window gets its resize event only when shown, so the text box is
// also fitted right after each resize.
void FloatingNote::FitTextBox() {
    noteEdit_->setGeometry(0, 0, std::max(0, width() - TwipsToPixelsX(40)), std::max(0, height() - TwipsToPixelsY(40)));
}

void FloatingNote::closeEvent(QCloseEvent* event) {
    if (noteInstance == this) noteInstance = nullptr;
    qApp->removeEventFilter(this);
    disconnect(qApp, &QGuiApplication::focusWindowChanged, this, nullptr);
    QWidget::closeEvent(event);
}

bool FloatingNote::eventFilter(QObject* watched, QEvent* event) {
    // Escape belongs to the note first: a shortcut or a control that would
    // take it does not see it while the note shows.
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (keyEvent && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && BelongsHere(watched)) {
        event->accept();
        if (event->type() == QEvent::KeyPress) close();
        return true;
    }
    // A click on the note's text closes it.
    if (event->type() == QEvent::MouseButtonPress && watched == noteEdit_->viewport()) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

FloatingNote& FlexNote(QWidget* owner) {
    if (!noteInstance) noteInstance = new FloatingNote(owner);
    return *noteInstance;
}

FloatingNote* OpenFlexNote() { return noteInstance; }

void CloseFlexNote() {
    if (FloatingNote* note = noteInstance) {
        noteInstance = nullptr;
        note->close();
    }
}

}  // namespace varnel
