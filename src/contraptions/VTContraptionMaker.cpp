#include "contraptions/VTContraptionMaker.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTEditorFactory.h"
#include "contraptions/VTNameToken.h"
#include "platform/VTHelpViewer.h"

VTContraptionMaker::VTContraptionMaker(std::string name, std::string category,
                                       std::int32_t helpContext, Naming naming, Editor editor)
    : name_(std::move(name)),
      category_(std::move(category)),
      helpContext_(helpContext),
      unnumbered_(naming == Naming::Unnumbered),
      hasEditor_(editor == Editor::Present) {}

std::unique_ptr<VTEditorWindow> VTContraptionMaker::createEditor(VTContraption& contraption) {
    if (!hasEditor_) return nullptr;
    VTEditorFactory* factory = VTEditorFactory::current();
    return factory ? factory->createEditor(*this, contraption) : nullptr;
}

int VTContraptionMaker::trailingNumber(std::string_view name) {
    std::size_t digits = 0;
    while (digits < 9 && digits < name.size() && name[name.size() - 1 - digits] >= '0' &&
           name[name.size() - 1 - digits] <= '9')
        ++digits;
    if (digits == 0 || digits == name.size() || name[name.size() - 1 - digits] != '_') return 0;
    int n = 0;
    for (std::size_t i = name.size() - digits; i < name.size(); ++i) n = n * 10 + (name[i] - '0');
    return n;
}

std::string VTContraptionMaker::makeInstanceName(const VTContraption&,
                                                 std::string_view requestedName) {
    // A requested name that could not be written back into a line (whitespace, overlong) is
    // treated as no request at all.
    bool usable = VTNameToken::isUsable(requestedName);
    if (unnumbered_) return usable ? std::string(requestedName) : name_;
    if (usable) {
        // Numbers outside 1 ... 1024 cannot be recorded, so such a name gets a fresh number.
        int n = trailingNumber(requestedName);
        if (numberer_.isFree(n)) {
            numberer_.take(n);
            return std::string(requestedName);
        }
    }
    return name_ + "_" + std::to_string(numberer_.next());
}

void VTContraptionMaker::releaseInstanceName(const VTContraption& contraption) {
    if (unnumbered_) return;
    numberer_.release(trailingNumber(contraption.name()));
}

void VTContraptionMaker::showHelp() const {
    if (helpContext_ != 0) VTHelpViewer::show(helpContext_);
}
