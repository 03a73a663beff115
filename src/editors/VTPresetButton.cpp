#include "editors/VTPresetButton.h"

#include "contraptions/VTContraption.h"
#include "editors/TContraptionForm.h"
#include "editors/TPresetMenuForm.h"

VTPresetButton::VTPresetButton(TContraptionForm& form, QWidget* parent)
    : KDQtHosted<KDFlatButton>(parent), form_(form) {
    control().SetCaption("--");
    control().OnMouseDown = [this](KDControl&, const KDMouseEvent&) { pressed(); };
}

std::string VTPresetButton::captionFor(int currentPreset) {
    return currentPreset < 0 ? std::string("--") : std::to_string(currentPreset + 1);
}

void VTPresetButton::pressed() {
    // A second press while the menu runs belongs to the menu.
    if (running_) return;
    running_ = true;
    control().SetDown(true);
    repaint();
    VTContraption& contraption = form_.contraption();
    TPresetMenuForm& menu = TPresetMenuForm::instance();
    for (int n = 1; n <= VTContraption::kPresetCount; ++n)
        menu.filled[static_cast<std::size_t>(n)] = contraption.isPresetSet(n - 1);
    menu.pasteAvailable = contraption.clipboardHasPreset();
    const QPoint at = mapToGlobal(QPoint(-1, height()));
    if (menu.popup(at.x(), at.y())) form_.runPresetAction(menu.action, menu.highlighted - 1);
    control().SetCaption(captionFor(contraption.currentPreset()));
    control().SetDown(false);
    running_ = false;
}
