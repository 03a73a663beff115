#include "app/shell/VTWindowPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>

#include "platform/VTSettingsKeys.h"
#include "platform/VTSettingsStore.h"

namespace {

constexpr const char* kKey = VTSettingsKeys::MainWindow;

// Integer division truncates toward zero, as the centring rule asks.
int centred(int screen, int size) { return (screen - size) / 2; }

}  // namespace

VTWindowPlacement::Stored VTWindowPlacement::read(const VTSettingsStore& store) {
    Stored s;
    s.exists = store.keyExists(kKey);
    if (!s.exists) return s;
    s.left = store.readInteger(kKey, "Left");
    s.top = store.readInteger(kKey, "Top");
    s.width = store.readInteger(kKey, "Width");
    s.height = store.readInteger(kKey, "Height");
    s.maximized = store.readBool(kKey, "Maximized");
    s.statusBar = store.readBool(kKey, "StatusBar");
    return s;
}

void VTWindowPlacement::write(VTSettingsStore& store, const Rect& normal, bool maximized,
                              bool statusBar) {
    store.createKey(kKey);
    store.writeBool(kKey, "Maximized", maximized);
    store.writeInteger(kKey, "Left", normal.left);
    store.writeInteger(kKey, "Top", normal.top);
    store.writeInteger(kKey, "Width", normal.width);
    store.writeInteger(kKey, "Height", normal.height);
    store.writeBool(kKey, "StatusBar", statusBar);
}

VTWindowPlacement::Decision VTWindowPlacement::decide(const Stored& stored, int screenWidth,
                                                      int screenHeight, const Rect& current) {
    Decision d;
    if (!stored.exists) {
        d.maximized = true;
        return d;
    }
    Rect r{stored.left.value_or(current.left), stored.top.value_or(current.top),
           stored.width.value_or(current.width), stored.height.value_or(current.height)};
    if (r.width > screenWidth + 10) r.width = screenWidth;
    if (r.height > screenHeight + 10) r.height = screenHeight;
    if (r.left > screenWidth) r.left = centred(screenWidth, r.width);
    if (r.top > screenHeight) r.top = centred(screenHeight, r.height);
    // A window shrunk to nothing by a hand-edited file could not be found again.
    if (r.width <= 0) r.width = current.width;
    if (r.height <= 0) r.height = current.height;
    d.setBounds = true;
    d.bounds = r;
    d.maximized = stored.maximized.value_or(false);
    d.statusBar = stored.statusBar;
    return d;
}

void VTWindowPlacement::apply(QMainWindow& window, const Decision& d) {
    if (d.setBounds) {
        window.setGeometry(d.bounds.left, d.bounds.top, d.bounds.width, d.bounds.height);
    }
    if (d.maximized) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    } else {
        window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
    }
    if (d.statusBar) window.statusBar()->setVisible(*d.statusBar);
}

void VTWindowPlacement::restore(QMainWindow& window, const VTSettingsStore& store) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QRect g = window.geometry();
    apply(window, decide(read(store), s.width(), s.height(),
                         Rect{g.x(), g.y(), g.width(), g.height()}));
}

void VTWindowPlacement::store(const QMainWindow& window, VTSettingsStore& store) {
    // normalGeometry is the rectangle the window has when it is not maximised.
    QRect n = window.normalGeometry();
    if (!n.isValid()) n = window.geometry();
    // Asked of a hidden window at the end of the run, so "would it show" rather than "does it".
    const QStatusBar* bar = window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    const bool statusBar = bar && bar->isVisibleTo(&window);
    write(store, Rect{n.x(), n.y(), n.width(), n.height()}, window.isMaximized(), statusBar);
}
