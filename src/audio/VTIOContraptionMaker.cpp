#include "audio/VTIOContraptionMaker.h"

VTIOContraptionMaker::VTIOContraptionMaker(std::string name, std::int32_t helpContext, Side side,
                                           int slot, Editor editor, VTIOContraptionPool& pool)
    : VTContraptionMaker(std::move(name), "Input / Output", helpContext, Naming::Unnumbered,
                         editor),
      pool_(&pool),
      side_(side),
      slot_(slot) {}

bool VTIOContraptionMaker::isAvailable() const {
    return side_ == Side::Input ? !pool_->inputInUse(slot_) : !pool_->outputInUse(slot_);
}

std::unique_ptr<VTContraption> VTIOContraptionMaker::create(std::string_view requestedName) {
    SGSignalProcessor* processor =
        side_ == Side::Input ? pool_->acquireInput(slot_) : pool_->acquireOutput(slot_);
    if (!processor) return nullptr;
    return std::make_unique<VTIOContraption>(*this, requestedName, *processor, *pool_, side_,
                                             slot_);
}
