#pragma once

#include <array>
#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGFunctionTable.h"
#include "params/SGBoolProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// A five-row drum machine: each row plays one sample of up to a second from a 32-step pattern
// (two bars of sixteenths) that follows the transport clock. No inlets, one outlet.
//
// Samples load when a row's file name changes, at the start of the next block. Triggers,
// volumes and patterns take effect at the ticks; the mutes wait for the next bar start so a
// muted row drops out in time with the music. Stopping the clock freezes every voice where it
// stands; reset silences them.
class VTDrums : public SGSignalProcessor {
public:
    static constexpr int kRows = 5;
    static constexpr std::uint32_t kTableSize = 44100;  // one second at the system rate
    static constexpr int kPatternTicks = 192;           // two bars of 4/4
    static constexpr int kStepTicks = 6;                // a sixteenth note
    static constexpr int kSteps = kPatternTicks / kStepTicks;
    // Headroom so that five full-volume rows rarely clip.
    static constexpr double kTriggerGain = 0.75;

    // One row's sample player. Silent while position >= end.
    struct Voice {
        Voice() : table(kTableSize) {}
        SGFunctionTable table;
        double position = 0.0;
        double rate = 1.0;  // the loader has already brought the sample to the system rate
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        float amplitude = 0.0f;
        float fade = 0.0f;  // subtracted from the amplitude each sample, to declick a retrigger

        bool sounding() const { return position < end; }
        void silence() { position = end; }
        void render(float* out, std::uint32_t from, std::uint32_t to);
    };

    VTDrums();

    SGPropertyTable& propertyTable() override;
    void process() override;
    void reset() override;

    SGDoubleProperty volume{0.0};
    SGBoolProperty mute{false};
    SGBoolProperty gate0And1{false};
    std::array<SGCStringProperty, kRows> files;
    std::array<SGDoubleProperty, kRows> volumes;
    std::array<SGIntProperty, kRows> gates;
    std::array<SGBoolProperty, kRows> mutes;

    // Running state, visible to tests.
    const Voice& voice(int row) const { return voices_[row]; }
    bool muteLatch() const { return muteLatch_; }
    bool rowMuteLatch(int row) const { return rowMuteLatches_[row]; }

    // The number of table entries a loaded file fills, at the system rate, within `size`.
    static std::uint32_t playableLength(double fileRate, std::uint32_t fileFrames,
                                        std::uint32_t size);

private:
    void loadChangedSamples();
    void loadSample(int row);
    void renderVoices(float* out, std::uint32_t from, std::uint32_t to);
    void handleTick(std::int64_t tick, double samplesPerTick);
    void trigger(int row);
    void prepareDeclick(int step, double samplesPerTick);
    bool gateSet(int row, int step) const {
        return ((static_cast<std::uint32_t>(gates[row].value()) >> step) & 1u) != 0;
    }
    // The other row of the choking pair, or -1 when the row has none now.
    int chokePartner(int row) const { return row < 2 && gate0And1.value() ? 1 - row : -1; }

    SGStaticPropertyTable table_;
    std::array<Voice, kRows> voices_;
    bool muteLatch_ = false;
    std::array<bool, kRows> rowMuteLatches_{};
};

// "Drums" in "Signal Generators", help topic 1004, numbered instances.
class VTDrumsMaker : public VTContraptionMakerTemplate<VTDrums> {
public:
    VTDrumsMaker()
        : VTContraptionMakerTemplate("Drums", "Signal Generators", 1004, Naming::Numbered,
                                     Editor::Present) {}
};
