#pragma once

#include <memory>

#include "editors/VTQtEditorFactory.h"

// The form maker of an editor class that takes its contraption in its constructor.
template <class Form>
VTQtEditorFactory::FormMaker formOf() {
    return [](VTContraption& c) { return std::make_unique<Form>(c); };
}
