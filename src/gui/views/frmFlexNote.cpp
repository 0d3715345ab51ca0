#include "gui/views/frmFlexNote.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

#include "gui/rules/FlexNotePlacement.h"
#include "gui/views/GridWidget.h"

namespace varnel {
namespace {

QPointer<frmFlexNote> noteInstance;

QString ShownText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

frmFlexNote::frmFlexNote(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      txtNote_(new QPlainTextEdit(this)),
      lblNote_(new QLabel(this)),
      txtJunk_(new QWidget(this)) {
    setObjectName(QStringLiteral("frmFlexNote"));
    setWindowTitle(QStringLiteral("Flex Cell Note"));
    setAttribute(Qt::WA_DeleteOnClose);
    txtNote_->setObjectName(QStringLiteral("txtNote"));
    lblNote_->setObjectName(QStringLiteral("lblNote"));
    txtJunk_->setObjectName(QStringLiteral("txtJunk"));

    setStyleSheet(QStringLiteral("frmFlexNote { background: #fffbe6; border: 1px solid #7a6a3a; }"));
    setAttribute(Qt::WA_StyledBackground);
    txtNote_->setReadOnly(true);
    txtNote_->setFrameShape(QFrame::NoFrame);
    txtNote_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtNote_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtNote_->setFocusPolicy(Qt::ClickFocus);
    txtNote_->setTextInteractionFlags(Qt::NoTextInteraction);
    txtNote_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffbe6; color: black; }"));
    txtNote_->installEventFilter(this);
    txtNote_->viewport()->installEventFilter(this);

    lblNote_->setTextFormat(Qt::PlainText);
    lblNote_->setFont(txtNote_->font());
    lblNote_->hide();

    txtJunk_->setFocusPolicy(Qt::StrongFocus);
    txtJunk_->setGeometry(0, 0, 0, 0);
    txtJunk_->installEventFilter(this);
}

int frmFlexNote::TwipsToPixelsX(int twips) const { return (twips * logicalDpiX() + 720) / 1440; }
int frmFlexNote::TwipsToPixelsY(int twips) const { return (twips * logicalDpiY() + 720) / 1440; }

void frmFlexNote::SetNoteText(const QString& text) {
    const QString shown = ShownText(text);
    lblNote_->setText(shown);
    txtNote_->setPlainText(shown);
    // The text box's document margins and the line spacing of a plain-text
    // box are a little larger than a label's, hence the measured width and
    // height plus the fixed allowances.
    const QSize extent = lblNote_->sizeHint();
    resize(extent.width() + TwipsToPixelsX(kNoteExtraWidth), extent.height() + TwipsToPixelsY(kNoteExtraHeight));
    FitTextBox();
}

QString frmFlexNote::NoteText() const { return txtNote_->toPlainText(); }

void frmFlexNote::ShowNote(GridWidget& grid, int row, int col) {
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
    in.textHeight = grid.PixelsToTwipsY(lblNote_->sizeHint().height());
    in.screenLeft = grid.PixelsToTwipsX(area.left());
    in.screenTop = grid.PixelsToTwipsY(area.top());
    in.screenWidth = grid.PixelsToTwipsX(area.width());
    in.screenHeight = grid.PixelsToTwipsY(area.height());
    const NotePlacement p = PlaceNote(in);

    resize(grid.TwipsToPixelsX(p.width), grid.TwipsToPixelsY(p.height));
    move(grid.TwipsToPixelsX(p.left), grid.TwipsToPixelsY(p.top));
    FitTextBox();
    // The note floats without taking the keyboard from the window under it:
    // the arrows keep moving the grid's selection and Escape reaches the
    // window, which closes the note. Within the note the hidden control
    // holds the focus, so the text shows without a caret.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    raise();
    txtJunk_->setFocus();
}

void frmFlexNote::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitTextBox();
}

// A hidden window gets its resize event only when shown, so the text box is
// also fitted right after each resize.
void frmFlexNote::FitTextBox() {
    txtNote_->setGeometry(0, 0, std::max(0, width() - TwipsToPixelsX(40)), std::max(0, height() - TwipsToPixelsY(40)));
}

void frmFlexNote::closeEvent(QCloseEvent* event) {
    if (noteInstance == this) noteInstance = nullptr;
    QWidget::closeEvent(event);
}

// Escape reaching the note itself (its frame has the focus) closes it too.
void frmFlexNote::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmFlexNote::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    // A click on the note's text closes it.
    if (event->type() == QEvent::MouseButtonPress && (watched == txtNote_ || watched == txtNote_->viewport())) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

frmFlexNote& FlexNote(QWidget* owner) {
    if (!noteInstance) noteInstance = new frmFlexNote(owner);
    return *noteInstance;
}

frmFlexNote* OpenFlexNote() { return noteInstance; }

void CloseFlexNote() {
    if (frmFlexNote* note = noteInstance) {
        noteInstance = nullptr;
        note->close();
    }
}

}  // namespace varnel
