#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include "ui/KDCanvas.h"

// Measures text in a widget's font.
class KDQtTextMetrics : public KDTextMetrics {
public:
    explicit KDQtTextMetrics(const QFont& font) : metrics_(font) {}
    void SetFont(const QFont& font) { metrics_ = QFontMetrics(font); }
    int TextWidth(std::string_view text) const override;
    int TextHeight() const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

// The controls' canvas over a QPainter. Lines and rectangles are drawn aliased on whole pixels
// so edges stay crisp; round shapes are smoothed.
class KDQtCanvas final : public KDCanvas {
public:
    KDQtCanvas(QPainter& painter, const QPalette& palette, const QFont& font);

    static QColor ToQt(KDColor c) { return QColor(c.r, c.g, c.b); }
    static KDColor FromQt(const QColor& c) {
        return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
    }
    static KDColor PaletteColor(const QPalette& palette, KDSysColor which);

    int TextWidth(std::string_view text) const override { return metrics_.TextWidth(text); }
    int TextHeight() const override { return metrics_.TextHeight(); }
    KDColor SystemColor(KDSysColor which) const override;

    void Line(KDPoint from, KDPoint to, KDColor color, int width) override;
    void XorLine(KDPoint from, KDPoint to, KDColor color) override;
    void FillRect(const KDRect& r, KDColor color) override;
    void FrameRect(const KDRect& r, KDColor color) override;
    void FillPolygon(const KDPoint* points, int count, KDColor color) override;
    void FillEllipse(const KDRect& r, KDColor color) override;
    void Arc(const KDRect& r, double startDegrees, double spanDegrees, KDColor color,
             int width) override;
    void Text(int x, int y, std::string_view text, KDColor color,
              KDTextDirection direction) override;
    void DrawBitmap(int x, int y, const KDBitmap& bitmap) override;
    void SetClip(const KDRect& r) override;
    void ClearClip() override;

private:
    QPainter& p_;
    const QPalette& palette_;
    QFont font_;
    KDQtTextMetrics metrics_;
    int ascent_;
};
