#pragma once

#include "ui/qt/KDQtControlWidget.h"

// Holds a control so that it is built before, and destroyed after, the widget that shows it.
template <class T>
struct KDQtControlHolder {
    template <class... A>
    explicit KDQtControlHolder(A&&... args) : held(std::forward<A>(args)...) {}
    T held;
};

// A widget together with the control it shows: KDQtHosted<KDDWKnob> knob; knob.control().
template <class T>
class KDQtHosted : private KDQtControlHolder<T>, public KDQtControlWidget {
public:
    explicit KDQtHosted(QWidget* parent = nullptr)
        : KDQtControlHolder<T>(), KDQtControlWidget(this->held, parent) {}

    T& control() { return this->held; }
    const T& control() const { return this->held; }
};
