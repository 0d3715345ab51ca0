#include "gui/views/SplashWindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/ProgramNotice.h"

namespace varnel {
namespace {

QPointer<SplashWindow> splashInstance;
QPointer<SplashWindow> preparedSplash;  // made ready at start-up, not yet shown

// The picture: dusk over the hills with the new moon's first crescent, the
// sign by which the months of the Hebrew year begin. It is drawn once for
// its size and kept.
class SplashPicture : public QWidget {
public:
    explicit SplashPicture(QWidget* parent) : QWidget(parent) {
        setMinimumSize(440, 200);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void Draw() {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (drawn_.size() == pixels && drawn_.devicePixelRatio() == ratio) return;
        drawn_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        drawn_.setDevicePixelRatio(ratio);
        QPainter p(&drawn_);
        DrawPicture(p, width(), height());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        Draw();
        QPainter(this).drawImage(QPoint(0, 0), drawn_);
    }

private:
    static void DrawPicture(QPainter& p, qreal w, qreal h) {
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF all(0, 0, w, h);

        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0.0, QColor(14, 22, 58));
        sky.setColorAt(0.55, QColor(64, 72, 140));
        sky.setColorAt(0.85, QColor(230, 140, 90));
        sky.setColorAt(1.0, QColor(250, 200, 120));
        p.fillRect(all, sky);

        // Stars, placed by a fixed sequence so the picture is the same every time.
        p.setPen(Qt::NoPen);
        unsigned seed = 7;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            const qreal x = (seed >> 8) % 1000 / 1000.0 * w;
            seed = seed * 1103515245u + 12345u;
            const qreal y = (seed >> 8) % 1000 / 1000.0 * h * 0.5;
            const qreal r = 0.6 + (i % 3) * 0.4;
            p.setBrush(QColor(255, 255, 240, 150 + (i % 4) * 25));
            p.drawEllipse(QPointF(x, y), r, r);
        }

        // The setting sun behind the hills.
        QRadialGradient glow(QPointF(w * 0.3, h * 0.86), h * 0.35);
        glow.setColorAt(0.0, QColor(255, 236, 170, 230));
        glow.setColorAt(1.0, QColor(255, 200, 120, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(w * 0.3, h * 0.86), h * 0.35, h * 0.35);

        // The crescent: a disc less an offset disc.
        const QPointF moon(w * 0.72, h * 0.3);
        const qreal mr = h * 0.11;
        QPainterPath disc, shadow;
        disc.addEllipse(moon, mr, mr);
        shadow.addEllipse(moon + QPointF(mr * 0.45, -mr * 0.1), mr * 0.95, mr * 0.95);
        p.setBrush(QColor(250, 244, 210));
        p.drawPath(disc.subtracted(shadow));

        // Two ranges of hills.
        QPainterPath far;
        far.moveTo(0, h * 0.8);
        far.cubicTo(w * 0.2, h * 0.68, w * 0.35, h * 0.78, w * 0.55, h * 0.72);
        far.cubicTo(w * 0.75, h * 0.66, w * 0.9, h * 0.76, w, h * 0.7);
        far.lineTo(w, h);
        far.lineTo(0, h);
        p.setBrush(QColor(70, 50, 80));
        p.drawPath(far);
        QPainterPath near;
        near.moveTo(0, h * 0.9);
        near.cubicTo(w * 0.25, h * 0.8, w * 0.5, h * 0.95, w * 0.7, h * 0.86);
        near.cubicTo(w * 0.85, h * 0.8, w * 0.95, h * 0.88, w, h * 0.85);
        near.lineTo(w, h);
        near.lineTo(0, h);
        p.setBrush(QColor(36, 28, 46));
        p.drawPath(near);
    }

    QImage drawn_;
};

}  // namespace

SplashWindow::SplashWindow(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint),
      splashPicture_(new SplashPicture(this)),
      productNameLabel_(new QLabel(QStringLiteral("Varnel"), this)),
      versionLabel_(new QLabel(QString::fromUtf8("Version " VARNEL_VERSION), this)),
      copyrightLabel_(new QLabel(QString::fromUtf8(kCopyrightNotice.data(), static_cast<qsizetype>(kCopyrightNotice.size())) +
                                     QStringLiteral(". All rights reserved."),
                                 this)),
      splashTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    splashPicture_->setObjectName(QStringLiteral("picSplash"));
    productNameLabel_->setObjectName(QStringLiteral("lblProductName"));
    versionLabel_->setObjectName(QStringLiteral("lblVersion"));
    copyrightLabel_->setObjectName(QStringLiteral("lblCopyright"));
    splashTimer_->setObjectName(QStringLiteral("tmrSplash"));

    QFont title = productNameLabel_->font();
    title.setPointSize(title.pointSize() * 2 + 6);
    title.setBold(true);
    productNameLabel_->setFont(title);
    for (QLabel* label : {productNameLabel_, versionLabel_, copyrightLabel_}) label->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(splashPicture_, 1);
    layout->addSpacing(6);
    layout->addWidget(productNameLabel_);
    layout->addWidget(versionLabel_);
    layout->addWidget(copyrightLabel_);
    QPalette paper = palette();
    paper.setColor(QPalette::Window, QColor(0xfd, 0xfa, 0xf2));
    setPalette(paper);
    setAutoFillBackground(true);

    splashTimer_->setSingleShot(true);
    splashTimer_->setInterval(kSplashStartMs);
    connect(splashTimer_, &QTimer::timeout, this, &QWidget::close);
    resize(480, 330);
}

void SplashWindow::Prepare() {
    ensurePolished();
    if (layout()) layout()->activate();
    static_cast<SplashPicture*>(splashPicture_)->Draw();
}

// A thin frame round the borderless window.
void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    splashTimer_->start();
}

namespace {

SplashWindow* CreateSplash(QWidget* owner) {
    if (!splashInstance) {
        splashInstance = preparedSplash && preparedSplash->parentWidget() == owner ? preparedSplash.data()
                                                                                   : new SplashWindow(owner);
        preparedSplash = nullptr;
        // Centred over the owner, or on the screen without one.
        const QRect area = owner ? owner->frameGeometry()
                                 : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                     : QRect(0, 0, 800, 600));
        splashInstance->move(area.center() - splashInstance->rect().center());
    }
    return splashInstance;
}

}  // namespace

void PrepareSplash(QWidget* owner) {
    if (splashInstance || preparedSplash) return;
    preparedSplash = new SplashWindow(owner);
    preparedSplash->Prepare();
}

SplashWindow* ShowSplash(QWidget* owner) {
    SplashWindow* splash = CreateSplash(owner);
    splash->show();
    return splash;
}

SplashWindow* ShowAbout(QWidget* owner) {
    SplashWindow* splash = CreateSplash(owner);
    splash->Timer()->setInterval(kSplashAboutMs);
    splash->Timer()->stop();
    splash->show();
    splash->raise();
    splash->Timer()->start();
    return splash;
}

SplashWindow* OpenSplash() { return splashInstance; }

}  // namespace varnel
