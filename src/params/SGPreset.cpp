#include "params/SGPreset.h"

#include "params/SGBraceList.h"

void SGPreset::fillFromTable() {
    values_.clear();
    int n = table_->count();
    values_.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) values_.push_back(table_->property(i).clone());
    set_ = true;
}

void SGPreset::store() {
    if (!set_ || static_cast<int>(values_.size()) != table_->count()) {
        fillFromTable();
        return;
    }
    for (int i = 0; i < table_->count(); ++i)
        values_[static_cast<std::size_t>(i)]->assignFrom(table_->property(i));
}

void SGPreset::recall() {
    if (!set_) return;
    int n = std::min<int>(table_->count(), static_cast<int>(values_.size()));
    for (int i = 0; i < n; ++i) table_->property(i).assignFrom(*values_[static_cast<std::size_t>(i)]);
}

void SGPreset::clear() {
    values_.clear();
    set_ = false;
}

void SGPreset::write(std::ostream& out) const {
    int n = set_ ? static_cast<int>(values_.size()) : 0;
    SGBraceList::write(out, n,
                       [this](int k, std::ostream& s) { values_[static_cast<std::size_t>(k)]->write(s); });
}

void SGPreset::read(std::istream& in) {
    // An empty slot is filled with the present values just before the first value is read, so
    // the list is read against the table's count either way.
    int count = set_ ? static_cast<int>(values_.size()) : table_->count();
    SGBraceList::read(
        in, count, [this](int k, std::istream& s) { values_[static_cast<std::size_t>(k)]->read(s); },
        [this] { clear(); },
        [this] {
            if (!set_) fillFromTable();
        });
}
