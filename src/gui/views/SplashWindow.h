#pragma once
// The splash window: a picture, the product name, the version and the
// copyright line. It closes itself when its timer fires: 2 s after it opens at
// start-up, 5 s after the About command. One instance at most; it is released
// when it closes.
#include <QWidget>

class QLabel;
class QTimer;

namespace varnel {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* owner = nullptr);

    QTimer* Timer() const { return splashTimer_; }

    // Lays the window out and draws its picture before it is shown.
    void Prepare();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* splashPicture_;
    QLabel* productNameLabel_;
    QLabel* versionLabel_;
    QLabel* copyrightLabel_;
    QTimer* splashTimer_;
};

inline constexpr int kSplashStartMs = 2000;
inline constexpr int kSplashAboutMs = 5000;

// Makes the start-up splash ready to show (laid out, its picture drawn) without
// opening it; the next ShowSplash or ShowAbout for the same owner shows it.
void PrepareSplash(QWidget* owner);
// The start-up splash, shown modelessly over its owner.
SplashWindow* ShowSplash(QWidget* owner);
// The About box: the splash again (or still), closing 5 s from now.
SplashWindow* ShowAbout(QWidget* owner);
// The splash window now open, if any.
SplashWindow* OpenSplash();

}  // namespace varnel
