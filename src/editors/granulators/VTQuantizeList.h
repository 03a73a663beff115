#pragma once

class QComboBox;
class SGProperty;
class TContraptionForm;

// The granulators' onset quantisation list: note values from none to a thirty-second triplet,
// each standing for its number of clock ticks in "QuantizeClocks". Choosing an item sets the
// ticks; a refresh shows the item of the present value, and a value no item has leaves the
// list as it was.
class VTQuantizeList {
public:
    static constexpr int kItems = 12;
    static const char* const kNames[kItems];
    static const int kClocks[kItems];

    // Fills the list and ties it to "QuantizeClocks" of the form's processor.
    VTQuantizeList(TContraptionForm& form, QComboBox& list);

private:
    void show();

    TContraptionForm& form_;
    QComboBox& list_;
    SGProperty* clocks_;
};
