#pragma once

#include <memory>

#include "contraptions/VTEditorWindow.h"

class VTContraption;
class VTContraptionMaker;

// Builds the editor windows of the kinds that have one. The user interface installs its
// implementation at start-up; without one (tests, the command line) no editor is ever built.
class VTEditorFactory {
public:
    virtual ~VTEditorFactory() = default;
    virtual std::unique_ptr<VTEditorWindow> createEditor(const VTContraptionMaker& maker,
                                                         VTContraption& contraption) = 0;

    // Not owned; nullptr removes the implementation.
    static void setCurrent(VTEditorFactory* factory) { slot() = factory; }
    static VTEditorFactory* current() { return slot(); }

private:
    static VTEditorFactory*& slot() {
        static VTEditorFactory* factory = nullptr;
        return factory;
    }
};
