#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "params/SGPropertyTable.h"

// A snapshot of every property value of one processor's table. The preset never follows later
// changes of the parameters; only store and read change what it holds, and only recall writes
// back into the processor.
class SGPreset {
public:
    explicit SGPreset(SGPropertyTable& table) : table_(&table) {}
    ~SGPreset() { clear(); }
    SGPreset(const SGPreset&) = delete;
    SGPreset& operator=(const SGPreset&) = delete;

    bool isSet() const { return set_; }
    void store();
    void recall();
    void clear();

    // "{ " the stored values separated by ", " " }"; an empty preset writes "{  }".
    void write(std::ostream& out) const;
    // "{ }" empties the slot; values the text does not give keep the processor's values of the
    // moment of reading.
    void read(std::istream& in);

    SGPropertyTable& table() const { return *table_; }
    // The stored value of property i (set presets only).
    const SGProperty& value(int i) const { return *values_[static_cast<std::size_t>(i)]; }

private:
    void fillFromTable();

    SGPropertyTable* table_;
    bool set_ = false;
    std::vector<std::unique_ptr<SGProperty>> values_;
};
