#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "audio/VTIOContraption.h"
#include "audio/VTIOContraptionPool.h"
#include "contraptions/VTContraptionMaker.h"

// The maker of a device input or output kind, bound to one slot of the pool. Its instances are
// named after the kind itself. The kind is offered only while its slot is free, and a second
// contraption of it is refused.
class VTIOContraptionMaker : public VTContraptionMaker {
public:
    using Side = VTIOContraption::Side;

    VTIOContraptionMaker(std::string name, std::int32_t helpContext, Side side, int slot,
                         Editor editor, VTIOContraptionPool& pool);

    bool isAvailable() const override;
    std::unique_ptr<VTContraption> create(std::string_view requestedName) override;

    Side side() const { return side_; }
    int slot() const { return slot_; }

private:
    VTIOContraptionPool* pool_;
    Side side_;
    int slot_;
};

// "SoundIn": input slot 0, help topic 1000, with an editor.
class VTSoundInMaker : public VTIOContraptionMaker {
public:
    explicit VTSoundInMaker(VTIOContraptionPool& pool = VTIOContraptionPool::instance())
        : VTIOContraptionMaker("SoundIn", 1000, Side::Input, 0, Editor::Present, pool) {}
};

// "SoundOut": output slot 0, help topic 1001, with an editor.
class VTSoundOutMaker : public VTIOContraptionMaker {
public:
    explicit VTSoundOutMaker(VTIOContraptionPool& pool = VTIOContraptionPool::instance())
        : VTIOContraptionMaker("SoundOut", 1001, Side::Output, 0, Editor::Present, pool) {}
};

// "AuxIn1" ... "AuxIn7": input slots 1 ... 7, help topic 1024, no editor of their own.
class VTAuxInMaker : public VTIOContraptionMaker {
public:
    explicit VTAuxInMaker(int k, VTIOContraptionPool& pool = VTIOContraptionPool::instance())
        : VTIOContraptionMaker("AuxIn" + std::to_string(k), 1024, Side::Input, k, Editor::None,
                               pool) {}
};

// "AuxOut1" ... "AuxOut7": output slots 1 ... 7, help topic 1024, no editor of their own.
class VTAuxOutMaker : public VTIOContraptionMaker {
public:
    explicit VTAuxOutMaker(int k, VTIOContraptionPool& pool = VTIOContraptionPool::instance())
        : VTIOContraptionMaker("AuxOut" + std::to_string(k), 1024, Side::Output, k, Editor::None,
                               pool) {}
};
