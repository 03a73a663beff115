#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionMaker.h"

// The maker of an ordinary kind: builds a Processor with no context and a contraption that owns
// it. When Form is a window class it builds the editor itself; with Form void the editor comes
// from the editor factory that the user interface installs (VTContraptionMaker::createEditor).
template <typename Processor, typename Form = void>
class VTContraptionMakerTemplate : public VTContraptionMaker {
public:
    using VTContraptionMaker::VTContraptionMaker;

    std::unique_ptr<VTContraption> create(std::string_view requestedName) override {
        if (!hasFreeName()) return nullptr;
        return std::make_unique<VTContraption>(*this, requestedName, std::make_unique<Processor>());
    }

    std::unique_ptr<VTEditorWindow> createEditor(VTContraption& contraption) override {
        if constexpr (std::is_void_v<Form>)
            return VTContraptionMaker::createEditor(contraption);
        else
            return std::make_unique<Form>(contraption);
    }
};
