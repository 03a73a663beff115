#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "contraptions/VTEditorFactory.h"
#include "editors/VTPropertiesPane.h"

class TContraptionForm;

// Builds the editor window of a contraption kind inside the properties pane. Each kind's form
// is listed by maker name; a kind that has an editor but no form of its own yet gets the common
// window, so its presets, help and name are still at hand.
class VTQtEditorFactory : public VTEditorFactory {
public:
    using FormMaker = std::function<std::unique_ptr<TContraptionForm>(VTContraption&)>;

    // Lists every form of the program.
    explicit VTQtEditorFactory(VTPropertiesPane& pane);
    ~VTQtEditorFactory() override;

    std::unique_ptr<VTEditorWindow> createEditor(const VTContraptionMaker& maker,
                                                 VTContraption& contraption) override;

    void addForm(const std::string& makerName, FormMaker make);
    // The form of every maker of a category whose makers are made at run time (plug-ins); a
    // form listed by maker name comes first.
    void addFormForCategory(const std::string& category, FormMaker make);
    bool hasOwnForm(const std::string& makerName) const { return forms_.count(makerName) != 0; }

    // Makes this the factory the contraptions use (and stops being it on destruction).
    void install();

private:
    const FormMaker* formFor(const VTContraptionMaker& maker) const;

    // Guarded: without its pane (the main window going down) the factory builds no windows.
    QPointer<VTPropertiesPane> pane_;
    std::map<std::string, FormMaker, std::less<>> forms_;
    std::map<std::string, FormMaker, std::less<>> categoryForms_;
};
