#include "app/shell/VTSplashWindow.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

VTSplashWindow::VTSplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("VTSplashWindow");
    setWindowTitle("Vantrel");
    setStyleSheet("#VTSplashWindow { background: #20304a; } QLabel { color: #e8eef8; }");
    setAttribute(Qt::WA_StyledBackground);

    auto* title = new QLabel("Vantrel", this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    title->setFont(big);
    auto* subtitle = new QLabel(tr("Modular audio patches in real time"), this);
    auto* version = new QLabel(kVersionText, this);
    version->setObjectName("version");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 24);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(subtitle, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(version, 0, Qt::AlignRight);
    setFixedSize(420, 220);

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &VTSplashWindow::finished);
}

void VTSplashWindow::start(int milliseconds) {
    show();
    timer_.start(milliseconds);
}
