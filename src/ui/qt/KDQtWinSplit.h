#pragma once

#include <QPointer>

#include "ui/TWinSplit.h"
#include "ui/qt/KDQtHosted.h"

// The splitter between two panes of a Qt layout. The target pane is resized by fixing its
// width (or height); while dragging, a line over the parent shows where its edge will go.
class KDQtWinSplit : public KDQtHosted<TWinSplit> {
public:
    explicit KDQtWinSplit(QWidget* parent = nullptr);
    ~KDQtWinSplit() override;

    // align says on which side of the parent the target sits: alLeft, alRight, alTop or
    // alBottom. Returns false, leaving no target, for any other alignment.
    bool SetTarget(QWidget* target, KDAlign align);
    QWidget* Target() const { return adapter_.widget; }

    void Invalidate(const KDRect* area) override;

private:
    struct Adapter : KDSplitTarget {
        QPointer<QWidget> widget;
        KDAlign align = alNone;
        KDAlign Align() const override { return align; }
        int TargetSize() const override;
        void SetTargetSize(int size) override;
    };

    void UpdateLine();

    Adapter adapter_;
    QWidget* line_ = nullptr;
    QMetaObject::Connection destroyed_;
};
