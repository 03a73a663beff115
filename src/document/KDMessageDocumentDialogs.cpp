#include "document/KDMessageDocumentDialogs.h"

#include "platform/VTMessageBox.h"

bool KDMessageDocumentDialogs::AskSaveChanges(bool& cancelled) {
    const VTMessageAnswer answer = VTMessageBox::show(
        kAskSaveText, kCaption, VTMessageButtons::YesNoCancel, VTMessageIcon::Warning);
    if (answer == VTMessageAnswer::Yes) return true;
    // Anything but a plain No (a box closed some other way) keeps the document as it is.
    if (answer != VTMessageAnswer::No) cancelled = true;
    return false;
}

bool KDMessageDocumentDialogs::ConfirmRevert() {
    return VTMessageBox::show(kConfirmRevertText, kCaption, VTMessageButtons::YesNo,
                              VTMessageIcon::Warning) == VTMessageAnswer::Yes;
}
