#pragma once
// The cell note: a small window with a day's details beside the grid cell under
// the pointer. It sizes itself to its text, keeps on the screen, and gives the
// focus to a hidden control so the text shows without a caret or selection.
// A click on the note, or Escape anywhere in the note or in the window it
// belongs to, closes it; so does that window losing the focus (a dialog
// opening over it, another program taking the keyboard), so the note never
// floats over a dialog or another program. One note at most; it is created on
// first use and released when it closes.
#include <QPointer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QWindow;

namespace varnel {

class GridWidget;

class FloatingNote : public QWidget {
    Q_OBJECT
public:
    explicit FloatingNote(QWidget* owner = nullptr);

    // The note's text; the window keeps its top left corner and takes the
    // text's size. Line breaks may be "\r\n".
    void SetNoteText(const QString& text);
    QString NoteText() const;

    // Places the note beside cell (row, col) of the grid, flipped to the cell's
    // left at the screen's right edge and lifted above its bottom, and shows it.
    void ShowNote(GridWidget& grid, int row, int col);

    GridWidget* OwnerGrid() const { return grid_; }
    int NoteRow() const { return row_; }
    int NoteCol() const { return col_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    void FitTextBox();
    // A widget of the note or of the window the note belongs to.
    bool BelongsHere(const QObject* object) const;
    void FocusWindowChanged(QWindow* focused);

    QPlainTextEdit* noteEdit_;
    QLabel* noteLabel_;   // hidden: measures the text
    QWidget* focusSink_;  // hidden: takes the focus
    QPointer<GridWidget> grid_;
    int row_ = -1;
    int col_ = -1;
};

// The note window, created (owned by `owner`) when none is open.
FloatingNote& FlexNote(QWidget* owner);
// The open note, or null.
FloatingNote* OpenFlexNote();
// Closes the open note, if any.
void CloseFlexNote();

}  // namespace varnel
