#include "ui/qt/VTPendingMouseUp.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <chrono>
#include <thread>

namespace {

class MouseUpEater : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (eaten || event->type() != QEvent::MouseButtonRelease) return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        eaten = true;
        return true;
    }
    bool eaten = false;
};

}  // namespace

void swallowPendingMouseUp() {
    QApplication* app = qApp;
    if (!app) return;
    MouseUpEater eater;
    app->installEventFilter(&eater);
    for (int attempt = 0; attempt < 10 && !eater.eaten; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // Only input already queued; nothing the user does meanwhile is taken.
        QApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    app->removeEventFilter(&eater);
}
