#include "app/gui/BraskDocAppData.h"

#include "app/gui/TMainForm.h"

void BraskDocAppData::TakeFromWindow() {
    patcherWidth = static_cast<std::uint32_t>(std::max(0, form_.PatcherWidth()));
    patcherShown = form_.PatcherPaneShown();
    propertiesShown = form_.PropertiesPaneShown();
    maxWidth = static_cast<std::uint32_t>(std::max(0, form_.MaxPatcherWidth()));
}

bool BraskDocAppData::ReadSection(const std::string& name, std::istream& in) {
    TakeFromWindow();
    if (!VTPaneLayoutDocAppData::ReadSection(name, in)) return false;
    if (name == "visual1:") {
        form_.ShowPatcherPane(patcherShown);
        form_.ShowPropertiesPane(propertiesShown);
    }
    form_.SetPatcherWidth(static_cast<int>(patcherWidth));
    return true;
}

void BraskDocAppData::WriteSections(std::ostream& out) {
    TakeFromWindow();
    VTPaneLayoutDocAppData::WriteSections(out);
    form_.StoreNodePositions();
}
