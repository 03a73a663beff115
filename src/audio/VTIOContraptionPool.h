#pragma once

#include <array>
#include <memory>

#include "params/SGSignalProcessor.h"

class VTSoundIn;
class VTSoundOut;

// The processors of the device inputs and outputs. Each slot exists once in the program: input
// slot 0 is the sound input ("SoundIn"), 1 ... 7 the auxiliary inputs; output slot 0 is the
// main output ("SoundOut"), 1 ... 7 the auxiliary outputs. A slot's processor is made on first
// use and kept to the end of the run; a contraption borrows it while it lives, and the next
// contraption of that slot gets it back with every property at its default.
//
// Acquiring and releasing happen on the user-interface thread under the signal context's lock
// (the contraption's creation and destruction); the engine reads the signals on the audio
// thread under the same lock.
class VTIOContraptionPool {
public:
    static constexpr int kSlotCount = 8;

    // A stereo pair of signals; both none when the slot gives nothing.
    template <typename Signal>
    struct Pair {
        Signal* left = nullptr;
        Signal* right = nullptr;
        explicit operator bool() const { return left != nullptr; }
    };
    using InputSignals = Pair<SGSignal>;
    using OutputSignals = Pair<const SGSignal>;

    // The program's pool.
    static VTIOContraptionPool& instance();

    VTIOContraptionPool();
    ~VTIOContraptionPool();
    VTIOContraptionPool(const VTIOContraptionPool&) = delete;
    VTIOContraptionPool& operator=(const VTIOContraptionPool&) = delete;

    // The slot's processor, marked in use; none while the slot is in use or out of range.
    SGSignalProcessor* acquireInput(int i);
    SGSignalProcessor* acquireOutput(int i);
    // Frees the slot: the processor loses its connections, leaves its signal context and gets
    // its defaults back (the sound input closes its file, the main output completes its file).
    void releaseInput(int i);
    void releaseOutput(int i);
    bool inputInUse(int i) const { return valid(i) && inputs_[i].inUse; }
    bool outputInUse(int i) const { return valid(i) && outputs_[i].inUse; }

    // The two outlets of an input in use whose pipe runs in its context's present update list;
    // none otherwise, so that nothing writes into an input no one listens to.
    InputSignals inputSignals(int i) const;
    // The two signals an output in use sends: an auxiliary output's inlets, the main output's
    // inlets or its played-back file. None while the slot is free.
    OutputSignals outputSignals(int i) const;

    // The sound input and the main output while their slots are in use, else none.
    VTSoundIn* soundIn() const;
    VTSoundOut* soundOut() const;
    // Whether the sound input exists and takes the device input (its "UseADC").
    bool soundInUsesDevice() const;

private:
    struct InputSlot {
        std::unique_ptr<SGSignalProcessor> processor;
        bool inUse = false;
        InputSignals signals;
    };
    struct OutputSlot {
        std::unique_ptr<SGSignalProcessor> processor;
        bool inUse = false;
    };

    static bool valid(int i) { return i >= 0 && i < kSlotCount; }
    static void detach(SGSignalProcessor& processor);

    std::array<InputSlot, kSlotCount> inputs_;
    std::array<OutputSlot, kSlotCount> outputs_;
};
