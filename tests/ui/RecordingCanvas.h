#pragma once

#include <string>
#include <vector>

#include "ui/KDCanvas.h"
#include "ui/KDControlHost.h"

// A canvas that writes down what is drawn, with fixed-pitch text (6 pixels a character, 13
// high) and a fixed palette, so tests can check drawing without a display.
class RecordingCanvas : public KDCanvas {
public:
    enum class Op { Line, XorLine, FillRect, FrameRect, Polygon, Ellipse, Arc, Text, Bitmap };
    struct Item {
        Op op;
        KDPoint a, b;  // line ends, or the bitmap's place
        KDRect rect;   // rectangles and ellipses
        KDColor color;
        int width = 1;
        std::string text;
    };

    static constexpr KDColor kWindow{255, 255, 255};
    static constexpr KDColor kWindowText{0, 0, 0};
    static constexpr KDColor kBtnFace{192, 192, 192};
    static constexpr KDColor kHighlight{0, 0, 128};
    static constexpr KDColor kHighlightText{255, 255, 254};

    int TextWidth(std::string_view t) const override { return 6 * int(t.size()); }
    int TextHeight() const override { return 13; }
    KDColor SystemColor(KDSysColor which) const override {
        switch (which) {
            case KDSysColor::Window:
                return kWindow;
            case KDSysColor::WindowText:
                return kWindowText;
            case KDSysColor::BtnFace:
                return kBtnFace;
            case KDSysColor::BtnText:
                return {1, 1, 1};
            case KDSysColor::BtnHighlight:
                return {254, 254, 254};
            case KDSysColor::Light3D:
                return {223, 223, 223};
            case KDSysColor::BtnShadow:
                return {128, 128, 128};
            case KDSysColor::DkShadow3D:
                return {64, 64, 64};
            case KDSysColor::Highlight:
                return kHighlight;
            case KDSysColor::HighlightText:
                return kHighlightText;
            case KDSysColor::GrayText:
                return {160, 160, 160};
        }
        return {};
    }
    void Line(KDPoint a, KDPoint b, KDColor c, int w) override {
        items.push_back({Op::Line, a, b, {}, c, w, {}});
    }
    void XorLine(KDPoint a, KDPoint b, KDColor c) override {
        items.push_back({Op::XorLine, a, b, {}, c, 1, {}});
    }
    void FillRect(const KDRect& r, KDColor c) override {
        items.push_back({Op::FillRect, {}, {}, r, c, 1, {}});
    }
    void FrameRect(const KDRect& r, KDColor c) override {
        items.push_back({Op::FrameRect, {}, {}, r, c, 1, {}});
    }
    void FillPolygon(const KDPoint* p, int n, KDColor c) override {
        items.push_back({Op::Polygon, p[0], n > 1 ? p[1] : p[0], {}, c, n, {}});
    }
    void FillEllipse(const KDRect& r, KDColor c) override {
        items.push_back({Op::Ellipse, {}, {}, r, c, 1, {}});
    }
    void Arc(const KDRect& r, double, double, KDColor c, int w) override {
        items.push_back({Op::Arc, {}, {}, r, c, w, {}});
    }
    void Text(int x, int y, std::string_view t, KDColor c, KDTextDirection) override {
        items.push_back({Op::Text, {x, y}, {}, {}, c, 1, std::string(t)});
    }
    void DrawBitmap(int x, int y, const KDBitmap&) override {
        items.push_back({Op::Bitmap, {x, y}, {}, {}, {}, 1, {}});
    }
    void SetClip(const KDRect&) override {}
    void ClearClip() override {}

    std::vector<Item> Of(Op op) const {
        std::vector<Item> out;
        for (const Item& i : items)
            if (i.op == op) out.push_back(i);
        return out;
    }
    // The index of the first text item reading t, or -1.
    int TextIndex(const std::string& t) const {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].op == Op::Text && items[i].text == t) return int(i);
        return -1;
    }

    std::vector<Item> items;
};

// A host that grants focus at once and writes down what it was asked.
class RecordingHost : public KDControlHost {
public:
    explicit RecordingHost(class KDControl* c = nullptr) : control(c) {}
    void Invalidate(const KDRect* r) override {
        ++invalidations;
        if (r)
            lastArea = *r;
        else
            lastArea = {0, 0, -1, -1};
    }
    void SetMouseCapture(bool c) override { captured = c; }
    void RequestFocus() override;
    void SetCursor(KDCursor c) override { cursor = c; }
    void RequestSize(int w, int h) override;
    const KDTextMetrics& Metrics() const override { return canvas; }

    class KDControl* control;
    RecordingCanvas canvas;
    int invalidations = 0;
    KDRect lastArea;
    bool captured = false;
    bool grantFocus = true;
    KDCursor cursor = KDCursor::Default;
};
