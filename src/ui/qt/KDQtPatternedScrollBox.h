#pragma once

#include <QImage>
#include <QScrollArea>

#include "ui/TPatternedScrollBox.h"

// A scroll area whose background is a tiled picture that scrolls with the content.
class KDQtPatternedScrollBox : public QScrollArea {
public:
    explicit KDQtPatternedScrollBox(QWidget* parent = nullptr);

    TPatternedScrollBox& Pattern() { return box_; }
    void SetTile(const QImage& tile);
    void SetTileShiftPercent(float percent);
    // Sets the content, leaving its background unpainted so the tiles show through.
    void SetContent(QWidget* content);

    static KDBitmap ToBitmap(const QImage& image);

protected:
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    TPatternedScrollBox box_;
};
