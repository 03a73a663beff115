#pragma once

#include <atomic>
#include <memory>

#include "params/SGProperty.h"

// The common part of the single-valued properties (bool, int, double): an atomic value so that
// the audio thread may read what the user-interface or MIDI thread writes without a lock.
template <typename T, SGProperty::TypeCode Code, typename Derived>
class SGValueProperty : public SGProperty {
public:
    using ValueType = T;

    explicit SGValueProperty(T initial) : SGProperty(Code), value_(initial) {}

    T value() const { return value_.load(std::memory_order_relaxed); }

    std::unique_ptr<SGProperty> clone() const override { return std::make_unique<Derived>(value()); }

    void assignFrom(const SGProperty& other) override {
        // Each type code has exactly one class, so the class tells the code.
        if (auto* same = dynamic_cast<const Derived*>(&other)) copyValue(*same);
    }

    void copyValue(const Derived& other) { setValue(other.value()); }

    void setValue(T v) {
        value_.store(v, std::memory_order_relaxed);
        setChanged();
    }

protected:
    // Stores a parsed value; the changed bit is already set by read().
    void store(T v) { value_.store(v, std::memory_order_relaxed); }

private:
    std::atomic<T> value_;
};
