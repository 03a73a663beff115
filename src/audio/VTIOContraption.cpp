#include "audio/VTIOContraption.h"

VTIOContraption::~VTIOContraption() {
    if (side_ == Side::Input)
        pool_->releaseInput(slot_);
    else
        pool_->releaseOutput(slot_);
}
