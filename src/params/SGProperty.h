#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>

// A typed parameter value with a change flag. Editors, presets, controllers and the document
// write values; every write sets the changed bit, and the processor tests and clears it at the
// start of its next block. That bit is the only notification from the user interface to the
// audio thread, so the flag word is atomic: both sides modify it.
class SGProperty {
public:
    enum TypeCode : std::uint16_t {
        BoolType = 0,
        IntType = 1,
        DoubleType = 2,
        RangeType = 3,
        CStringType = 5,
        EightCharsType = 6,
    };
    static constexpr std::uint16_t kTypeMask = 0x0fff;
    static constexpr std::uint16_t kChangedBit = 0x4000;

    virtual ~SGProperty() = default;
    SGProperty(const SGProperty&) = delete;
    SGProperty& operator=(const SGProperty&) = delete;

    virtual std::unique_ptr<SGProperty> clone() const = 0;
    // Copies the value of a property of the same type code; otherwise does nothing.
    virtual void assignFrom(const SGProperty& other) = 0;
    // Sets the changed bit, then parses one value; on failure the value stays and the stream is
    // marked failed.
    virtual void read(std::istream& in) = 0;
    virtual void write(std::ostream& out) const = 0;

    std::uint16_t flags() const { return flags_.load(std::memory_order_relaxed); }
    std::uint16_t typeCode() const { return flags() & kTypeMask; }
    bool isChanged() const { return (flags() & kChangedBit) != 0; }
    bool testAndClearChanged() {
        if (!isChanged()) return false;
        return (flags_.fetch_and(static_cast<std::uint16_t>(~kChangedBit), std::memory_order_acq_rel) &
                kChangedBit) != 0;
    }
    void setChanged() { flags_.fetch_or(kChangedBit, std::memory_order_release); }
    void clearChanged() {
        flags_.fetch_and(static_cast<std::uint16_t>(~kChangedBit), std::memory_order_relaxed);
    }

protected:
    explicit SGProperty(TypeCode code) : flags_(static_cast<std::uint16_t>(code | kChangedBit)) {}

private:
    std::atomic<std::uint16_t> flags_;
};
