#include "gui/common/DeferredIconStyle.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QWidget>
#include <QPainter>
#include <QStyleOption>
#include <optional>

namespace varnel {
namespace {

// Asks the base style for the icon the first time it is drawn or measured.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* base, QStyle::StandardPixmap kind, Qt::LayoutDirection direction)
        : base_(base), kind_(kind), direction_(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(base_, kind_, direction_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    const QIcon& Icon() {
        if (!icon_) {
            // Of the option, the overflow arrows use the direction alone.
            QStyleOption option;
            option.direction = direction_;
            icon_ = base_->standardIcon(kind_, &option);
        }
        return *icon_;
    }

    const QStyle* base_;  // the application's style, which outlives its widgets' icons
    QStyle::StandardPixmap kind_;
    Qt::LayoutDirection direction_;
    std::optional<QIcon> icon_;
};

}  // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    const bool overflowButton = icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
    if (!overflowButton) return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction =
        option ? option->direction : (widget ? widget->layoutDirection() : QGuiApplication::layoutDirection());
    return QIcon(new DeferredIconEngine(baseStyle(), icon, direction));
}

}  // namespace varnel
