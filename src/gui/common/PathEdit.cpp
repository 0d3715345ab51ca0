#include "gui/common/PathEdit.h"

#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace varnel {
namespace {

constexpr int kTextInset = 2;          // the line edit's own margin left and right of its text
constexpr int kShortestChars = 40;     // a box never narrower than this many average characters
constexpr double kWidestShare = 0.6;   // of the screen's width

}  // namespace

PathEdit::PathEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        updateGeometry();
    });
}

QRect PathEdit::TextArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    area = area.marginsRemoved(textMargins());
    return area.adjusted(kTextInset, 0, -kTextInset, 0);
}

// The folders give way first: the file's name stays whole while it fits.
QString PathEdit::ShownText() const {
    const QString path = text();
    const int room = std::max(0, TextArea().width());
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(path) <= room) return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? QString() : path.mid(slash);
    const int folderRoom = room - metrics.horizontalAdvance(name);
    if (slash > 0 && folderRoom > metrics.horizontalAdvance(QStringLiteral("/\u2026")))
        return metrics.elidedText(path.left(slash), Qt::ElideMiddle, folderRoom) + name;
    return metrics.elidedText(path, Qt::ElideMiddle, room);
}

QSize PathEdit::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    const int frame = width() - TextArea().width();
    int wanted = std::max(fontMetrics().horizontalAdvance(text()), fontMetrics().averageCharWidth() * kShortestChars);
    if (const QScreen* shown = screen()) wanted = std::min(wanted, static_cast<int>(shown->availableGeometry().width() * kWidestShare));
    hint.setWidth(std::max(hint.width(), wanted + frame));
    return hint;
}

void PathEdit::paintEvent(QPaintEvent* event) {
    const QString shown = ShownText();
    if (hasFocus() || shown == text()) return QLineEdit::paintEvent(event);
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(TextArea(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace varnel
