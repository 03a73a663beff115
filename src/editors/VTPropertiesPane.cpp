#include "editors/VTPropertiesPane.h"

#include <QScrollBar>

#include "editors/TContraptionForm.h"

namespace {
// Room kept right of and below the last window.
constexpr int kMargin = 10;
}  // namespace

VTPropertiesPane::VTPropertiesPane(QWidget* parent) : KDQtPatternedScrollBox(parent) {
    content_ = new QWidget;
    SetContent(content_);
    setWidgetResizable(false);
    fitContent();
}

VTPropertiesPane::~VTPropertiesPane() {
    for (TContraptionForm* form : TContraptionForm::openForms()) {
        if (form->pane() != this) continue;
        form->attachToPane(nullptr);
        form->hide();
        form->setParent(nullptr);
    }
}

QPoint VTPropertiesPane::scrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void VTPropertiesPane::setScrollOffset(QPoint offset) {
    horizontalScrollBar()->setValue(offset.x());
    verticalScrollBar()->setValue(offset.y());
}

void VTPropertiesPane::fitContent() {
    QRect used(0, 0, viewport()->width(), viewport()->height());
    for (QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) used = used.united(child->geometry().adjusted(0, 0, kMargin, kMargin));
    const QSize size(used.right() + 1, used.bottom() + 1);
    if (content_->size() != size) content_->resize(size);
}

void VTPropertiesPane::formClosed(TContraptionForm*) { fitContent(); }

void VTPropertiesPane::resizeEvent(QResizeEvent* e) {
    KDQtPatternedScrollBox::resizeEvent(e);
    fitContent();
}
