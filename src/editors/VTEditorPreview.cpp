#include "editors/VTEditorPreview.h"

#include <QHBoxLayout>
#include <QImage>
#include <QPainter>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"

namespace {

// The soft brick tile the properties pane shows behind the editors.
QImage brickTile() {
    QImage tile(48, 20, QImage::Format_ARGB32);
    tile.fill(QColor(226, 222, 214));
    QPainter p(&tile);
    p.setPen(QColor(206, 200, 190));
    p.drawLine(0, 19, 47, 19);
    p.drawLine(47, 0, 47, 19);
    p.setPen(QColor(238, 235, 229));
    p.drawLine(0, 0, 46, 0);
    p.drawLine(0, 0, 0, 18);
    return tile;
}

}  // namespace

VTEditorPreview::VTEditorPreview(QWidget* parent)
    : QWidget(parent), pane_(new VTPropertiesPane), factory_(*pane_) {
    setWindowTitle("Vantrel editors");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane_);
    pane_->SetTile(brickTile());
    pane_->SetTileShiftPercent(50.0f);
    factory_.install();
    KDTextClipboard::install(&clipboard_);
    resize(420, 320);
}

VTEditorPreview::~VTEditorPreview() {
    while (!contraptions_.empty()) contraptions_.pop_back();
    KDTextClipboard::install(nullptr);
}

VTContraption* VTEditorPreview::addEditor(const std::string& makerName, int left, int top) {
    std::unique_ptr<VTContraption> c =
        VTContraptionFactory::instance().createContraption(makerName, "");
    if (!c) return nullptr;
    c->formState().setEditorPosition(left, top);
    c->showEditor();
    contraptions_.push_back(std::move(c));
    return contraptions_.back().get();
}
