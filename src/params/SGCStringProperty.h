#pragma once

#include <atomic>
#include <memory>

#include "params/SGProperty.h"

// An owned zero-terminated 8-bit text, or no text at all.
//
// Writers run on the user-interface thread while a processor may be reading the text on the
// audio thread. A replaced text is therefore not freed at once: it is kept until the next
// replacement, so a reader that took the old pointer has a whole edit's time to finish with it.
class SGCStringProperty : public SGProperty {
public:
    // Longest text the property holds; a longer value in a text is refused when read.
    static constexpr std::size_t kMaxLength = 2047;

    explicit SGCStringProperty(const char* initial = nullptr);
    ~SGCStringProperty() override;

    // The text, or nullptr when there is none.
    const char* text() const { return text_.load(std::memory_order_acquire); }

    std::unique_ptr<SGProperty> clone() const override;
    void assignFrom(const SGProperty& other) override;
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
    // Equal texts change nothing and leave the changed bit alone.
    void copyValue(const SGCStringProperty& other) { setValue(other.text()); }
    void setValue(const char* value);

private:
    void replace(const char* value);

    std::atomic<char*> text_{nullptr};
    std::unique_ptr<char[]> retired_;
};
