#pragma once
// A box for a file's path that shows the whole path: as wide as the path (up
// to most of the screen), and, when it still does not fit, with its middle
// elided while the box is not being edited, so both the folder's start and
// the file's name stay in view. The full path is the tool tip.
#include <QLineEdit>

namespace varnel {

class PathEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit PathEdit(QWidget* parent = nullptr);

    // The text as drawn while the box has no focus.
    QString ShownText() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextArea() const;
};

}  // namespace varnel
