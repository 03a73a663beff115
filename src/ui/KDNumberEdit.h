#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/KDControl.h"
#include "ui/KDEditUpDownButton.h"

// A numeric text field with a status mark and a drag button. Typed text is read after every
// edit; Up and Down step the value, and so does dragging the button vertically (Ctrl for
// tenths). The step is either Increment or an automatic step derived from the range.
class KDNumberEdit : public KDControl {
public:
    using ChangeEvent = std::function<void(KDNumberEdit& sender, double value)>;

    enum Status { stValid = 0, stUnreadable = 1, stRaisedToMin = 2, stLoweredToMax = 3 };

    KDNumberEdit(int width = 80, int height = 21);

    double Min() const { return min_; }
    double Max() const { return max_; }
    void SetMin(double v);
    void SetMax(double v);
    double Value() const { return value_; }
    // Limited to Min..Max; rewrites the text when the value changes; never fires OnChange.
    void SetValue(double v);
    double Increment() const { return increment_; }
    void SetIncrement(double v);
    bool AutoIncrement() const { return autoIncrement_; }
    void SetAutoIncrement(bool on);
    bool IntegersOnly() const { return integersOnly_; }
    void SetIntegersOnly(bool on);
    bool EditTabStop = true;

    ChangeEvent OnChange;

    double AutoStep() const { return autoStep_; }
    int AutoDecimals() const { return autoDecimals_; }
    int IncrementDecimals() const { return incrementDecimals_; }
    int CurrentStatus() const { return status_; }
    const std::string& Text() const { return text_; }
    bool AllSelected() const {
        return selStart_ == 0 && selEnd_ == int(text_.size()) && !text_.empty();
    }
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    bool Dragging() const { return button_.Pressed; }

    // The text the value is shown as.
    std::string FormatValue() const;
    // Steps the value by n steps (tenths with fine).
    void Step(int n, bool fine);
    // Types text as if keyed in one character at a time.
    void TypeText(std::string_view text);

    KDRect TextRect() const { return {1, 1, Width() - 23, Height()}; }
    KDRect StatusRect() const { return {Width() - 23, 0, Width() - 13, Height()}; }
    KDRect ButtonRect() const { return button_.Bounds; }

    bool AcceptsFocus() const override { return true; }
    bool TabStop() const override { return EditTabStop; }
    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;
    void DblClick(const KDMouseEvent& e) override;
    bool KeyDown(const KDKeyEvent& e) override;

protected:
    void Resized(int, int) override { Layout(); }
    void FocusChanged() override;

private:
    void Layout();
    void RecomputeAutoStep();
    void ShowValue();
    void SelectAll();
    void TextEdited();
    bool Accepts(char32_t ch) const;
    void ReplaceSelection(std::string_view s);
    int CaretAt(int x) const;
    void StoreAndReport(double v);

    double min_ = 0.0;
    double max_ = 100.0;
    double value_ = 0.0;
    double increment_ = 1.0;
    bool autoIncrement_ = true;
    bool integersOnly_ = false;
    double autoStep_ = 1.0;
    int autoDecimals_ = 1;
    int incrementDecimals_ = 1;
    int status_ = stValid;

    std::string text_;
    int selStart_ = 0;  // the selection; the caret sits at selEnd_
    int selEnd_ = 0;
    KDEditUpDownButton button_;
    int lastY_ = 0;
};
