#pragma once

#include <QTimer>
#include <QWidget>

// A looping sign that the export is at work: a ring of dots with one bright dot going round.
// It moves only when the export lets window messages run, between chunks.
class VTBusyIndicator : public QWidget {
public:
    static constexpr int kDots = 8;

    explicit VTBusyIndicator(QWidget* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    int phase() const { return phase_; }

    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int phase_ = 0;
};
