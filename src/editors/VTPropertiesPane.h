#pragma once

#include <QWidget>

#include "ui/qt/KDQtPatternedScrollBox.h"

class TContraptionForm;

// The properties pane: the patterned scroll box in which the contraption editor windows live.
// Its content grows to hold every window (and at least fills the view), so a window dragged
// right or down can be scrolled to.
class VTPropertiesPane : public KDQtPatternedScrollBox {
public:
    explicit VTPropertiesPane(QWidget* parent = nullptr);
    // Windows still open are taken out of the pane first: their contraptions own them, not
    // the pane.
    ~VTPropertiesPane() override;

    QWidget* content() const { return content_; }
    // The scroll offsets: how far the content is scrolled right and down.
    QPoint scrollOffset() const;
    void setScrollOffset(QPoint offset);

    // Sizes the content to its windows; called when a window moves, resizes or closes.
    void fitContent();
    void formClosed(TContraptionForm* form);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QWidget* content_;
};
