#pragma once

#include <QTimer>
#include <QWidget>

// The picture shown while the program starts, with its version. It stays for two seconds after
// it is shown and then reports `finished` once; the start-up destroys it then.
class VTSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kVersionText = "Version 0.8b1";
    static constexpr int kShowMs = 2000;

    explicit VTSplashWindow(QWidget* parent = nullptr);

    // Shows the window and starts the timer.
    void start(int milliseconds = kShowMs);
    bool isTiming() const { return timer_.isActive(); }

Q_SIGNALS:
    void finished();

private:
    QTimer timer_;
};
