#include "ui/KDNumberEdit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "ui/KDBevel.h"

namespace {

// The shortest text that reads back as exactly v.
std::string Shortest(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Reads a whole text as a number: optional blanks and sign, the number, then only blanks.
bool ReadNumber(std::string_view s, double& out) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size() || s[i] == '+' || s[i] == '-') return false;
    double v = 0.0;
    auto r = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::fixed);
    if (r.ec != std::errc()) return false;
    for (const char* p = r.ptr; p < s.data() + s.size(); ++p)
        if (*p != ' ' && *p != '\t') return false;
    out = negative ? -v : v;
    return true;
}

// Rounds q to the nearest whole number, an exact half going toward zero.
double RoundHalfTowardZero(double q) {
    const double t = std::trunc(q);
    const double f = q - t;
    if (f > 0.5) return t + 1.0;
    if (f < -0.5) return t - 1.0;
    return t;
}

// Sheds the last bits of binary noise a multiplication leaves (0.1 * 3 = 0.30000000000000004),
// so the value shows as the step suggests.
double Tidy(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    double out = v;
    std::from_chars(buf, buf + std::char_traits<char>::length(buf), out);
    return out;
}

double Power10(int k) { return std::pow(10.0, k); }

}  // namespace

KDNumberEdit::KDNumberEdit(int width, int height) : KDControl(width, height) {
    Layout();
    RecomputeAutoStep();
    ShowValue();
}

void KDNumberEdit::Layout() {
    button_.Bounds = {Width() - KDEditUpDownButton::kWidth, 0, Width(), Height()};
}

// ---- properties ------------------------------------------------------------------------------

void KDNumberEdit::RecomputeAutoStep() {
    const double a = (max_ - min_) / 140.0;
    if (!(a > 0.0) || !std::isfinite(a)) {
        // An empty or reversed range has no sensible step; keep stepping by ones.
        autoStep_ = 1.0;
        autoDecimals_ = 1;
        return;
    }
    int decimals = 1;
    double factor;
    if (a > 1.0) {
        int k = 0;  // d = 10^-k
        while (a / Power10(k) > 1.0 && k < 400) ++k;
        const double c = a / Power10(k);
        factor = c < 0.2 ? 0.2 : c < 0.5 ? 0.5 : 1.0;
        autoStep_ = factor * Power10(k);
    } else {
        int k = 0;  // d = 10^k
        while (a * Power10(k) < 0.1 && k < 400) ++k, ++decimals;
        const double c = a * Power10(k);
        if (c < 0.2) {
            factor = 0.2;
        } else if (c < 0.5) {
            factor = 0.5;
        } else {
            factor = 1.0;
            --decimals;
        }
        autoStep_ = factor / Power10(k);
        ++decimals;
    }
    autoDecimals_ = decimals;
}

void KDNumberEdit::SetMin(double v) {
    if (std::isnan(v)) return;
    min_ = v;
    RecomputeAutoStep();
    if (value_ < min_) value_ = min_;
    ShowValue();
}

void KDNumberEdit::SetMax(double v) {
    if (std::isnan(v)) return;
    max_ = v;
    RecomputeAutoStep();
    if (value_ > max_) value_ = max_;
    ShowValue();
}

void KDNumberEdit::SetValue(double v) {
    if (std::isnan(v)) return;
    v = std::max(std::min(v, max_), min_);
    if (v == value_) return;
    value_ = v;
    ShowValue();
}

void KDNumberEdit::SetIncrement(double v) {
    if (!std::isfinite(v)) return;
    increment_ = v;
    // Whole increments show one decimal; fractional ones as many as they need, up to ten.
    incrementDecimals_ = 1;
    const double a = std::fabs(v);
    if (a != std::floor(a)) {
        for (int k = 1; k <= 10; ++k) {
            incrementDecimals_ = k;
            const double x = a * Power10(k);
            if (std::fabs(x - std::round(x)) < 1e-6 * std::max(1.0, x)) break;
        }
    }
    ShowValue();
}

void KDNumberEdit::SetAutoIncrement(bool on) {
    autoIncrement_ = on;
    ShowValue();
}

void KDNumberEdit::SetIntegersOnly(bool on) {
    integersOnly_ = on;
    if (on) value_ = std::floor(value_);
    ShowValue();
}

// ---- text ------------------------------------------------------------------------------------

std::string KDNumberEdit::FormatValue() const {
    const std::string exact = Shortest(value_);
    if (integersOnly_) return exact;
    const int decimals = autoIncrement_ ? autoDecimals_ : incrementDecimals_;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%0.*f", decimals, value_);
    std::string fixed(buf);
    return exact.size() > fixed.size() ? exact : fixed;
}

void KDNumberEdit::ShowValue() {
    text_ = FormatValue();
    selStart_ = selEnd_ = int(text_.size());
    status_ = stValid;
    Invalidate();
}

void KDNumberEdit::SelectAll() {
    selStart_ = 0;
    selEnd_ = int(text_.size());
    Invalidate();
}

bool KDNumberEdit::Accepts(char32_t ch) const {
    if (ch >= U'0' && ch <= U'9') return true;
    if (ch == U'.') return !integersOnly_;
    if (ch == U'+' || ch == U'-') return min_ < 0.0;
    return false;
}

void KDNumberEdit::ReplaceSelection(std::string_view s) {
    const int a = std::min(selStart_, selEnd_), b = std::max(selStart_, selEnd_);
    text_.erase(std::size_t(a), std::size_t(b - a));
    text_.insert(std::size_t(a), s.data(), s.size());
    selStart_ = selEnd_ = a + int(s.size());
}

void KDNumberEdit::StoreAndReport(double v) {
    if (v == value_) return;
    value_ = v;
    if (OnChange) OnChange(*this, v);
}

void KDNumberEdit::TextEdited() {
    double v = value_;
    if (!ReadNumber(text_, v)) {
        status_ = stUnreadable;
    } else if (v > max_) {
        v = max_;
        status_ = stLoweredToMax;
    } else if (v < min_) {
        v = min_;
        status_ = stRaisedToMin;
    } else {
        status_ = stValid;
    }
    Invalidate();
    if (status_ != stUnreadable) StoreAndReport(v);
}

void KDNumberEdit::TypeText(std::string_view text) {
    for (char ch : text) KeyDown({KDKey::Character, char32_t(static_cast<unsigned char>(ch)), 0});
}

void KDNumberEdit::Step(int n, bool fine) {
    if (n == 0) return;
    double unit = std::fabs(autoIncrement_ ? autoStep_ : increment_);
    if (fine) unit /= 10.0;
    if (integersOnly_ && unit < 1.0) unit = 1.0;
    if (!(unit > 0.0) || !std::isfinite(unit)) return;
    // The result lands on a multiple of one step, however many steps a fast drag gives at once.
    double v = value_ + n * unit;
    v = Tidy(RoundHalfTowardZero(v / unit) * unit);
    v = std::max(std::min(v, max_), min_);
    if (v == value_) return;
    value_ = v;
    text_ = FormatValue();
    status_ = stValid;
    SelectAll();
    if (OnChange) OnChange(*this, v);
}

// ---- input -----------------------------------------------------------------------------------

bool KDNumberEdit::KeyDown(const KDKeyEvent& e) {
    if (!Enabled()) return false;
    const int len = int(text_.size());
    const int lo = std::min(selStart_, selEnd_), hi = std::max(selStart_, selEnd_);
    const bool extend = e.Has(ssShift);
    switch (e.key) {
        case KDKey::Up:
        case KDKey::Down:
            if (status_ != stValid)
                ShowValue();
            else
                Step(e.key == KDKey::Up ? 1 : -1, e.Has(ssCtrl));
            return true;
        case KDKey::Left:
        case KDKey::Right:
        case KDKey::Home:
        case KDKey::End: {
            int caret = selEnd_;
            if (e.key == KDKey::Left) caret = !extend && lo != hi ? lo : std::max(caret - 1, 0);
            if (e.key == KDKey::Right) caret = !extend && lo != hi ? hi : std::min(caret + 1, len);
            if (e.key == KDKey::Home) caret = 0;
            if (e.key == KDKey::End) caret = len;
            selEnd_ = caret;
            if (!extend) selStart_ = caret;
            Invalidate();
            return true;
        }
        case KDKey::Backspace:
        case KDKey::Delete:
            if (lo == hi) {
                if (e.key == KDKey::Backspace && lo == 0) return true;
                if (e.key == KDKey::Delete && hi == len) return true;
                selStart_ = e.key == KDKey::Backspace ? lo - 1 : lo;
                selEnd_ = e.key == KDKey::Backspace ? lo : lo + 1;
            }
            ReplaceSelection({});
            TextEdited();
            return true;
        case KDKey::Return:
        case KDKey::Escape:
            ShowValue();
            SelectAll();
            return true;
        case KDKey::Character:
            if (e.Has(ssCtrl)) {
                if (e.ch == U'a') SelectAll();
                return e.ch == U'a';
            }
            if (Accepts(e.ch)) {
                const char c = char(e.ch);
                ReplaceSelection(std::string_view(&c, 1));
                TextEdited();
            }
            return true;  // other characters are dropped
        default:
            return false;
    }
}

int KDNumberEdit::CaretAt(int x) const {
    const KDTextMetrics& m = Metrics();
    const int rel = x - (TextRect().left + 2);
    int best = 0, bestDistance = std::abs(rel);
    for (int i = 1; i <= int(text_.size()); ++i) {
        const int d = std::abs(rel - m.TextWidth(std::string_view(text_).substr(0, i)));
        if (d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

void KDNumberEdit::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && Enabled()) {
        if (button_.Bounds.Contains(e.x, e.y)) {
            SetCursor(KDCursor::SizeNS);
            ShowValue();
            RequestFocus();
            button_.Pressed = true;
            lastY_ = e.y;
            SetMouseCapture(true);
            Invalidate();
        } else if (TextRect().Contains(e.x, e.y)) {
            RequestFocus();
            selStart_ = selEnd_ = CaretAt(e.x);
            Invalidate();
        } else {
            ShowValue();
            RequestFocus();
        }
    }
    FireMouseDown(e);
}

void KDNumberEdit::MouseMove(const KDMouseEvent& e) {
    if (button_.Pressed) {
        const int n = lastY_ - e.y;
        lastY_ = e.y;
        Step(n, e.Has(ssCtrl));
    }
    FireMouseMove(e);
}

void KDNumberEdit::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && button_.Pressed) {
        button_.Pressed = false;
        SetCursor(KDCursor::Default);
        SetMouseCapture(false);
        RequestFocus();
        Invalidate();
    }
    FireMouseUp(e);
}

void KDNumberEdit::DblClick(const KDMouseEvent& e) {
    if (TextRect().Contains(e.x, e.y)) SelectAll();
    KDControl::DblClick(e);
}

void KDNumberEdit::FocusChanged() {
    // Leaving the field shows the value it holds, whatever was left half typed.
    if (!Focused()) ShowValue();
    Invalidate();
}

// ---- drawing ---------------------------------------------------------------------------------

void KDNumberEdit::Paint(KDCanvas& c) {
    const KDRect field{0, 0, Width() - KDEditUpDownButton::kWidth, Height()};
    c.FillRect(field, Enabled() ? c.Sys(KDSysColor::Window) : c.Sys(KDSysColor::BtnFace));
    KDBevel::SunkenThin(c, field);

    const KDRect text = TextRect();
    const int ty = (Height() - c.TextHeight()) / 2;
    const int tx = text.left + 2;
    const KDColor ink = Enabled() ? c.Sys(KDSysColor::WindowText) : c.Sys(KDSysColor::GrayText);
    c.SetClip(text.Inflated(0, -1));
    const int lo = std::min(selStart_, selEnd_), hi = std::max(selStart_, selEnd_);
    const std::string_view all(text_);
    if (Focused() && lo != hi) {
        const int x0 = tx + c.TextWidth(all.substr(0, lo));
        const int x1 = tx + c.TextWidth(all.substr(0, hi));
        c.Text(tx, ty, all, ink);
        c.FillRect({x0, ty, x1, ty + c.TextHeight()}, c.Sys(KDSysColor::Highlight));
        c.SetClip({x0, ty, x1, ty + c.TextHeight()});
        c.Text(tx, ty, all, c.Sys(KDSysColor::HighlightText));
    } else {
        c.Text(tx, ty, all, ink);
        if (Focused()) {
            const int x = tx + c.TextWidth(all.substr(0, selEnd_));
            c.Line({x, ty}, {x, ty + c.TextHeight() - 1}, ink);
        }
    }
    c.ClearClip();

    // The status mark: a cross for unreadable text, minus or plus when the value was limited.
    if (status_ != stValid) {
        const KDRect s = StatusRect();
        const KDColor mark = Enabled() ? kdcolors::Red : c.Sys(KDSysColor::GrayText);
        const int cx = (s.left + s.right) / 2 - 1, cy = Height() / 2 - 1;
        if (status_ == stUnreadable) {
            for (int d = 0; d < 2; ++d) {
                c.Line({cx - 3 + d, cy - 3}, {cx + 3 + d, cy + 3}, mark);
                c.Line({cx + 3 + d, cy - 3}, {cx - 3 + d, cy + 3}, mark);
            }
        } else {
            c.FillRect({cx - 3, cy, cx + 5, cy + 2}, mark);
            if (status_ == stLoweredToMax) c.FillRect({cx, cy - 3, cx + 2, cy + 5}, mark);
        }
    }
    button_.Paint(c, Enabled());
}
