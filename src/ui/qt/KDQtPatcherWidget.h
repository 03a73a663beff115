#pragma once

#include "ui/KDPatcherPanel.h"
#include "ui/qt/KDQtScrollingCanvasWidget.h"

// The patcher panel in a scrolling frame.
class KDQtPatcherWidget : public KDQtScrollingCanvasWidget {
public:
    explicit KDQtPatcherWidget(QWidget* parent = nullptr)
        : KDQtScrollingCanvasWidget(std::make_unique<KDPatcherPanel>(), parent) {}

    KDPatcherPanel& Panel() const { return static_cast<KDPatcherPanel&>(Canvas()); }
};
