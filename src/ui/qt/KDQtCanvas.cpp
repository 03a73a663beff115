#include "ui/qt/KDQtCanvas.h"

#include <QImage>
#include <QPolygonF>
#include <QString>

namespace {
QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}  // namespace

int KDQtTextMetrics::TextWidth(std::string_view text) const {
    return metrics_.horizontalAdvance(ToQString(text));
}

KDQtCanvas::KDQtCanvas(QPainter& painter, const QPalette& palette, const QFont& font)
    : p_(painter), palette_(palette), font_(font), metrics_(font) {
    p_.setFont(font_);
    p_.setRenderHint(QPainter::Antialiasing, false);
    ascent_ = QFontMetrics(font_).ascent();
}

KDColor KDQtCanvas::PaletteColor(const QPalette& pal, KDSysColor which) {
    switch (which) {
        case KDSysColor::Window:
            return FromQt(pal.color(QPalette::Base));
        case KDSysColor::WindowText:
            return FromQt(pal.color(QPalette::Text));
        case KDSysColor::BtnFace:
            return FromQt(pal.color(QPalette::Button));
        case KDSysColor::BtnText:
            return FromQt(pal.color(QPalette::ButtonText));
        case KDSysColor::BtnHighlight:
            return FromQt(pal.color(QPalette::Light));
        case KDSysColor::Light3D:
            return FromQt(pal.color(QPalette::Midlight));
        case KDSysColor::BtnShadow:
            return FromQt(pal.color(QPalette::Dark));
        case KDSysColor::DkShadow3D:
            return FromQt(pal.color(QPalette::Shadow));
        case KDSysColor::Highlight:
            return FromQt(pal.color(QPalette::Highlight));
        case KDSysColor::HighlightText:
            return FromQt(pal.color(QPalette::HighlightedText));
        case KDSysColor::GrayText:
            return FromQt(pal.color(QPalette::Disabled, QPalette::Text));
    }
    return {};
}

KDColor KDQtCanvas::SystemColor(KDSysColor which) const { return PaletteColor(palette_, which); }

void KDQtCanvas::Line(KDPoint a, KDPoint b, KDColor color, int width) {
    if (a == b) {
        p_.fillRect(a.x, a.y, width, width, ToQt(color));
        return;
    }
    QPen pen(ToQt(color), width);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    p_.setPen(pen);
    p_.setRenderHint(QPainter::Antialiasing, width > 1);
    p_.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void KDQtCanvas::XorLine(KDPoint a, KDPoint b, KDColor color) {
    const QPainter::CompositionMode old = p_.compositionMode();
    p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p_.setPen(QPen(ToQt(color), 1));
    p_.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
    p_.setCompositionMode(old);
}

void KDQtCanvas::FillRect(const KDRect& r, KDColor color) {
    if (r.IsEmpty()) return;
    p_.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQt(color));
}

void KDQtCanvas::FrameRect(const KDRect& r, KDColor color) {
    if (r.IsEmpty()) return;
    const QColor c = ToQt(color);
    p_.fillRect(QRect(r.left, r.top, r.Width(), 1), c);
    p_.fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), c);
    p_.fillRect(QRect(r.left, r.top, 1, r.Height()), c);
    p_.fillRect(QRect(r.right - 1, r.top, 1, r.Height()), c);
}

void KDQtCanvas::FillPolygon(const KDPoint* points, int count, KDColor color) {
    if (count < 3) return;
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPointF(points[i].x + 0.5, points[i].y + 0.5);
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(Qt::NoPen);
    p_.setBrush(ToQt(color));
    p_.drawPolygon(poly);
    p_.setBrush(Qt::NoBrush);
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void KDQtCanvas::FillEllipse(const KDRect& r, KDColor color) {
    if (r.IsEmpty()) return;
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(Qt::NoPen);
    p_.setBrush(ToQt(color));
    p_.drawEllipse(QRectF(r.left, r.top, r.Width(), r.Height()));
    p_.setBrush(Qt::NoBrush);
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void KDQtCanvas::Arc(const KDRect& r, double start, double span, KDColor color, int width) {
    if (r.IsEmpty()) return;
    const double inset = width / 2.0;
    p_.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ToQt(color), width);
    pen.setCapStyle(Qt::FlatCap);
    p_.setPen(pen);
    p_.drawArc(QRectF(r.left + inset, r.top + inset, r.Width() - width, r.Height() - width),
               int(start * 16), int(span * 16));
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void KDQtCanvas::Text(int x, int y, std::string_view text, KDColor color,
                      KDTextDirection direction) {
    p_.setPen(ToQt(color));
    if (direction == KDTextDirection::Up) {
        p_.save();
        p_.translate(x, y);
        p_.rotate(-90);
        p_.drawText(0, ascent_, ToQString(text));
        p_.restore();
    } else {
        p_.drawText(x, y + ascent_, ToQString(text));
    }
}

void KDQtCanvas::DrawBitmap(int x, int y, const KDBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    // Wraps the pixels where they are; nothing is copied.
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels().data()), bitmap.Width(),
                       bitmap.Height(), bitmap.Width() * 4, QImage::Format_ARGB32);
    p_.drawImage(x, y, image);
}

void KDQtCanvas::SetClip(const KDRect& r) {
    p_.setClipRect(QRect(r.left, r.top, r.Width(), r.Height()), Qt::ReplaceClip);
}

void KDQtCanvas::ClearClip() { p_.setClipping(false); }
