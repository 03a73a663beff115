#pragma once

#include <string_view>

#include "audio/VTIOContraptionPool.h"
#include "contraptions/VTContraption.h"

// A device input or output contraption. Its processor belongs to the pool slot it borrowed, not
// to the contraption; the slot is given back first thing when the contraption goes, before the
// common part of the contraption is taken down.
class VTIOContraption : public VTContraption {
public:
    enum class Side { Input, Output };

    VTIOContraption(VTContraptionMaker& maker, std::string_view requestedName,
                    SGSignalProcessor& processor, VTIOContraptionPool& pool, Side side, int slot)
        : VTContraption(maker, requestedName, processor), pool_(&pool), side_(side), slot_(slot) {}
    ~VTIOContraption() override;

    Side side() const { return side_; }
    int slot() const { return slot_; }

private:
    VTIOContraptionPool* pool_;
    Side side_;
    int slot_;
};
