#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>

#include "gui/rules/FlexNotePlacement.h"
#include "core/views/Grid.h"
#include "gui/views/GridWidget.h"
#include "gui/views/FloatingNote.h"
#include "GuiTestSupport.h"

namespace varnel {
namespace {

const char* kShortText = "Sunday, March, 1, 2026\r\nAdar 12";
const char* kLongText =
    "Friday, March, 6, 2026\r\nAdar 17\r\nShabbat Candles: 6:08 PM\r\n\r\nSunrise: 6:46 AM - Sunset: 6:26 PM\r\n"
    "(Charlotte, NC - Eastern Standard Time)\r\nProportional hour: 58 minutes\r\nPrayer times:\r\n"
    "Shacharit: from 6:46 AM to 10:40 AM\r\nMinchah: from 13:05 PM to 6:26 PM\r\nMa'ariv: after 4:59 PM*\r\n"
    "*If Minchah was prayed before 4:59 PM, otherwise earliest Ma'ariv is 7:38 PM\r\n";

// A top-level 7 x 7 grid of 1800 x 1200 twip cells placed at a point on the screen.
struct ScreenGrid {
    Grid model{7, 7};
    GridWidget widget;
    ScreenGrid(const QPoint& at) {
        model.SetColWidth(-1, 1800);
        model.SetRowHeight(-1, 1200);
        model.SetRowHeight(0, 215);
        widget.SetGrid(&model);
        widget.resize(widget.TwipsToPixelsX(model.TotalWidth()), widget.TwipsToPixelsY(model.TotalHeight()));
        widget.move(at);
        widget.show();
    }
};

class FlexNote : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    void TearDown() override {
        CloseFlexNote();
        FlushDeletes();
    }
};

TEST_F(FlexNote, TextSizesTheNoteWithoutMovingIt) {
    FloatingNote& note = varnel::FlexNote(nullptr);
    note.move(100, 120);
    note.SetNoteText(kShortText);
    const QSize small = note.size();
    auto* measure = note.findChild<QLabel*>("lblNote");
    ASSERT_NE(measure, nullptr);
    EXPECT_FALSE(measure->isVisible());
    const int dpiX = note.logicalDpiX(), dpiY = note.logicalDpiY();
    EXPECT_EQ(small.width(), measure->sizeHint().width() + (300 * dpiX + 720) / 1440);
    EXPECT_EQ(small.height(), measure->sizeHint().height() + (550 * dpiY + 720) / 1440);

    note.SetNoteText(kLongText);
    EXPECT_EQ(note.pos(), QPoint(100, 120));
    EXPECT_GT(note.width(), small.width());
    EXPECT_GT(note.height(), small.height());
    // The text box fills the window less 40 twips right and bottom, and holds the text with plain line breaks.
    auto* box = note.findChild<QPlainTextEdit*>("txtNote");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(box->width(), note.width() - (40 * dpiX + 720) / 1440);
    EXPECT_EQ(box->height(), note.height() - (40 * dpiY + 720) / 1440);
    EXPECT_TRUE(box->toPlainText().startsWith("Friday, March, 6, 2026\nAdar 17\n"));
    EXPECT_FALSE(box->toPlainText().contains('\r'));
    EXPECT_TRUE(box->isReadOnly());
}

// Where the note goes is the placement rule's own test; here, that the widget
// follows it, and that the focus goes to the hidden sink, so the note's text
// shows with no caret or selection.
TEST_F(FlexNote, ShownBesideTheCellWithoutCaretOrSelection) {
    ScreenGrid inside(QPoint(0, 0));
    FloatingNote& note = varnel::FlexNote(nullptr);
    note.SetNoteText(kShortText);
    note.ShowNote(inside.widget, 1, 0);
    EXPECT_TRUE(note.isVisible());
    EXPECT_EQ(note.NoteRow(), 1);
    EXPECT_EQ(note.NoteCol(), 0);
    EXPECT_EQ(note.OwnerGrid(), &inside.widget);
    const QRect cell = inside.widget.CellRect(1, 0).translated(inside.widget.mapToGlobal(QPoint(0, 0)));
    EXPECT_NEAR(note.x(), cell.right() + 1 + inside.widget.TwipsToPixelsX(200), 2);
    EXPECT_NEAR(note.y(), cell.top() + inside.widget.TwipsToPixelsY(300), 2);
    auto* box = note.findChild<QPlainTextEdit*>("txtNote");
    auto* sink = note.findChild<QWidget*>("txtJunk");
    ASSERT_TRUE(box && sink);
    EXPECT_FALSE(box->hasFocus());
    EXPECT_FALSE(box->textCursor().hasSelection());
    EXPECT_FALSE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_FALSE(box->textInteractionFlags() & Qt::TextEditable);
    EXPECT_TRUE(QApplication::focusWidget() == sink || !note.isActiveWindow());
    EXPECT_EQ(sink->size(), QSize(0, 0));
}

TEST_F(FlexNote, EscapeAndAClickCloseTheNote) {
    ScreenGrid grid(QPoint(0, 0));
    EXPECT_EQ(&varnel::FlexNote(nullptr), &varnel::FlexNote(nullptr));  // one note at most
    CloseFlexNote();
    FlushDeletes();
    const QPointF at(5, 5);
    // Escape on the focus sink or in the text box, or a click in the text, closes it; other keys do not.
    for (int kind = 0; kind < 4; ++kind) {
        QPointer<FloatingNote> note = &varnel::FlexNote(nullptr);
        note->SetNoteText(kShortText);
        note->ShowNote(grid.widget, 1, 1);
        auto* box = note->findChild<QPlainTextEdit*>("txtNote");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QMouseEvent press(QEvent::MouseButtonPress, at, box->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        if (kind == 0) QApplication::sendEvent(note->findChild<QWidget*>("txtJunk"), &escape);
        if (kind == 1) QApplication::sendEvent(box, &escape);
        if (kind == 2) QApplication::sendEvent(box->viewport(), &press);
        if (kind == 3) QApplication::sendEvent(note->findChild<QWidget*>("txtJunk"), &letter);
        EXPECT_EQ(OpenFlexNote(), kind == 3 ? note.data() : nullptr) << kind;
        FlushDeletes();
        EXPECT_EQ(note.isNull(), kind != 3) << kind;
    }
}

}  // namespace
}  // namespace varnel
