// The least a Qt Widgets program does to show a window: one widget that paints
// a line of text. bench/compare starts it beside varnel's window; like varnel
// under VARNEL_REPORT_STARTUP it writes the time of its first paint
// (milliseconds since the epoch) to standard error and quits.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <iostream>

namespace {

class LineWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).drawText(rect(), Qt::AlignCenter, QStringLiteral("Kislev-Tevet 5787 / December 2026"));
        if (reported_) return;
        reported_ = true;
        QTimer::singleShot(0, this, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            const long long us = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
            std::cerr << "painted at " << us / 1000 << "." << (us % 1000) / 100 << " ms\n";
            QCoreApplication::quit();
        });
    }

private:
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    LineWidget window;
    window.resize(640, 480);
    window.show();
    return app.exec();
}
