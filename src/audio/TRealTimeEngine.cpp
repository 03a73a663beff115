#include "audio/TRealTimeEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "audio/EWaveError.h"
#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "platform/VTSettingsKeys.h"
#include "platform/VTSettingsStore.h"
#include "platform/midi/KDMidiDriver.h"
#include "signal/SGDynSigContext.h"

namespace {

constexpr const char* kWave = VTSettingsKeys::WaveStream;
constexpr const char* kMidi = VTSettingsKeys::MidiAndSync;
constexpr int kBlock = static_cast<int>(SGBlockSize);
constexpr float kFromDevice = 1.0f / 32768.0f;

std::string Indexed(const char* name, int i) { return name + std::to_string(i); }

// × 32767 truncated toward zero and clamped to ±32767; a NaN from a faulty graph is silence.
inline std::int16_t ToDevice(float s) {
    float v = s * 32767.0f;
    if (!(v == v)) return 0;
    v = std::clamp(v, -32767.0f, 32767.0f);
    return static_cast<std::int16_t>(v);
}

inline float Decayed(float meter, float peak) { return std::max(meter * 0.59523811f, peak); }

}  // namespace

TRealTimeEngine::TRealTimeEngine(KDAudioSystem& system, VTIOContraptionPool& pool,
                                 VTSettingsStore& settings, KDMidiDriver& midiDriver,
                                 VTMidiControlServer& midiServer, SGDynSigContext* context)
    : stream_(system),
      midi_(midiDriver, midiServer),
      pool_(pool),
      settings_(settings),
      context_(context) {
    if (stream_.InputDeviceNames().size() > 1) inDevice_[0] = 1;
    if (stream_.OutputDeviceNames().size() > 1) outDevice_[0] = 1;
    outOrder_ = {0, 1, 2, 3, 4, 5, 6, 7};
    inMap_.slot.fill(-1);
    outMap_.slot.fill(-1);
    stream_.SetOnProcess(this);
    ReadSettings();
}

TRealTimeEngine::~TRealTimeEngine() {
    // A device that fails while stopping must not keep the settings from being saved.
    try {
        StopAudio();
    } catch (const EWaveError&) {
    }
    stream_.SetOnProcess(nullptr);
    WriteSettings();
}

// --- stored settings

void TRealTimeEngine::ReadSettings() {
    if (settings_.keyExists(kWave)) {
        const int inCount = static_cast<int>(stream_.InputDeviceNames().size());
        const int outCount = static_cast<int>(stream_.OutputDeviceNames().size());
        auto index = [&](const std::string& name, int listed, int current) {
            auto v = settings_.readInteger(kWave, name);
            if (!v) return current;
            return (*v < 0 || *v >= listed) ? 0 : static_cast<int>(*v);
        };
        for (int i = 0; i < kLogicalCount; ++i) {
            inDevice_[i] = index(Indexed("InDevice", i), inCount, inDevice_[i]);
            outDevice_[i] = index(Indexed("OutDevice", i), outCount, outDevice_[i]);
        }
        auto count = [&](const char* name, int current) {
            auto v = settings_.readInteger(kWave, name);
            if (!v) return current;
            return (*v < 2 || *v > 8) ? 4 : static_cast<int>(*v);
        };
        auto size = [&](const char* name, int current) {
            auto v = settings_.readInteger(kWave, name);
            return v ? static_cast<int>(*v) : current;
        };
        stream_.SetInputBufferSize(size("InputBufferSize", stream_.InputBufferSize()));
        stream_.SetInputBufferCount(count("InputBufferCount", stream_.InputBufferCount()));
        stream_.SetOutputBufferSize(size("OutputBufferSize", stream_.OutputBufferSize()));
        stream_.SetOutputBufferCount(count("OutputBufferCount", stream_.OutputBufferCount()));
        if (auto v = settings_.readBool(kWave, "Overdrive")) stream_.SetOverdrive(*v);
    }
    // Input buffers are never shorter than output buffers, stored or not.
    if (stream_.InputBufferSize() < stream_.OutputBufferSize())
        stream_.SetInputBufferSize(stream_.OutputBufferSize());

    if (settings_.keyExists(kMidi)) {
        auto controllers = settings_.readInteger(kMidi, VTMidiInputs::kControllersDeviceValue);
        auto sync = settings_.readInteger(kMidi, VTMidiInputs::kSyncInDeviceValue);
        midi_.ApplyStoredDevices(controllers ? *controllers : midi_.ControllersDevice(),
                                 sync ? *sync : midi_.SyncInDevice());
    }
}

void TRealTimeEngine::WriteSettings() {
    for (int i = 0; i < kLogicalCount; ++i) {
        settings_.writeInteger(kWave, Indexed("InDevice", i), inDevice_[i]);
        settings_.writeInteger(kWave, Indexed("OutDevice", i), outDevice_[i]);
    }
    settings_.writeInteger(kWave, "InputBufferSize", stream_.InputBufferSize());
    settings_.writeInteger(kWave, "InputBufferCount", stream_.InputBufferCount());
    settings_.writeInteger(kWave, "OutputBufferSize", stream_.OutputBufferSize());
    settings_.writeInteger(kWave, "OutputBufferCount", stream_.OutputBufferCount());
    settings_.writeBool(kWave, "Overdrive", stream_.Overdrive());
    settings_.writeInteger(kMidi, VTMidiInputs::kControllersDeviceValue, midi_.ControllersDevice());
    settings_.writeInteger(kMidi, VTMidiInputs::kSyncInDeviceValue, midi_.SyncInDevice());
    settings_.flush();
}

// --- starting and stopping

TRealTimeEngine::Needed TRealTimeEngine::NeededInputs() const {
    Needed n{};
    n[0] = pool_.soundInUsesDevice();
    for (int k = 1; k < kLogicalCount; ++k) n[k] = pool_.inputInUse(k);
    return n;
}

TRealTimeEngine::Needed TRealTimeEngine::NeededOutputs() const {
    Needed n{};
    for (int k = 0; k < kLogicalCount; ++k) n[k] = pool_.outputInUse(k);
    return n;
}

void TRealTimeEngine::ResetMeters() {
    writeIndex_ = readIndex_ = countdown_ = 0;
    ring_.fill(MeterSnapshot{});
    inMeters_.fill(0.0f);
    outMeters_.fill(0.0f);
    overload_ = false;
    midi_.chase().resetLock();
}

int TRealTimeEngine::DeviceChannels(Side side, int index) const {
    int c = side == Side::Input ? stream_.InputDeviceChannelCount(index)
                                : stream_.OutputDeviceChannelCount(index);
    return std::max(c, 2);
}

void TRealTimeEngine::MapSide(Side side, const std::array<int, kLogicalCount>& choice,
                              const Needed& needed, Mapping& map) {
    // Channel pairs: the k-th logical I/O on a device takes the k-th pair, wrapping round
    // the device's pairs (an odd last channel is never used).
    for (int i = 0; i < kLogicalCount; ++i) {
        map.offset[i] = 0;
        if (choice[i] == 0) continue;
        int earlier = 0;
        for (int j = 0; j < i; ++j) earlier += choice[j] == choice[i];
        const int pairs = DeviceChannels(side, choice[i]) / 2;
        map.offset[i] = 2 * (earlier % pairs);
    }
    // Slots: one per device that a needed I/O uses, in order of first use.
    std::array<int, kSlots> slotDevice{};
    int used = 0;
    map.channels.fill(0);
    for (int i = 0; i < kLogicalCount; ++i) {
        map.slot[i] = -1;
        if (!needed[i] || choice[i] == 0) continue;
        int s = 0;
        while (s < used && slotDevice[s] != choice[i]) ++s;
        if (s == used) slotDevice[used++] = choice[i];
        map.slot[i] = s;
        map.channels[s] = std::max(map.channels[s], map.offset[i] + 2);
    }
    for (int s = 0; s < kSlots; ++s) {
        const int device = s < used ? slotDevice[s] : 0;
        const int channels = s < used ? map.channels[s] : 2;
        if (side == Side::Input) {
            stream_.SetInputDevices(s, device);
            stream_.SetInputDeviceChannels(s, channels);
        } else {
            stream_.SetOutputDevices(s, device);
            stream_.SetOutputDeviceChannels(s, channels);
        }
    }
    const int mask = (1 << used) - 1;
    if (side == Side::Input)
        stream_.SetInputDeviceMask(mask);
    else
        stream_.SetOutputDeviceMask(mask);
}

void TRealTimeEngine::BuildOutputOrder() {
    std::array<bool, kLogicalCount> placed{};
    int n = 0;
    for (int i = 0; i < kLogicalCount; ++i) {
        if (placed[i] || outMap_.slot[i] < 0) continue;
        outOrder_[n++] = i;
        placed[i] = true;
        for (int j = i + 1; j < kLogicalCount; ++j) {
            if (placed[j] || outMap_.slot[j] != outMap_.slot[i] ||
                outMap_.offset[j] != outMap_.offset[i])
                continue;
            outOrder_[n++] = j;
            placed[j] = true;
        }
    }
    for (int i = 0; i < kLogicalCount; ++i)
        if (!placed[i]) outOrder_[n++] = i;
}

void TRealTimeEngine::FindIdlePairs() {
    idleCount_ = 0;
    for (int s = 0; s < kSlots; ++s) {
        if (outMap_.channels[s] <= 2) continue;
        for (int first = 0; first < outMap_.channels[s]; first += 2) {
            bool inUse = false;
            for (int i = 0; i < kLogicalCount; ++i)
                inUse = inUse || (outMap_.slot[i] == s && outMap_.offset[i] == first);
            if (!inUse && idleCount_ < kLogicalCount) idle_[idleCount_++] = {s, first};
        }
    }
}

void TRealTimeEngine::MapDevices() {
    ResetMeters();
    inNeeded_ = NeededInputs();
    outNeeded_ = NeededOutputs();
    MapSide(Side::Input, inDevice_, inNeeded_, inMap_);
    MapSide(Side::Output, outDevice_, outNeeded_, outMap_);
    BuildOutputOrder();
    FindIdlePairs();
}

bool TRealTimeEngine::StartAudio() {
    MapDevices();
    if (stream_.OutputDeviceMask() != 0) stream_.StartStream();
    // With no output the audio is on but silent; UpdateDeviceUse opens the devices once an
    // output contraption appears.
    running_ = true;
    return true;
}

void TRealTimeEngine::StopAudio() {
    running_ = false;
    if (stream_.Running()) stream_.StopStream();
}

void TRealTimeEngine::UpdateDeviceUse() {
    if (!running_) return;
    if (NeededInputs() == inNeeded_ && NeededOutputs() == outNeeded_) return;
    StopAudio();
    StartAudio();
}

// --- the buffer cycle

void TRealTimeEngine::OnProcess(KDWaveStream& stream, const std::int16_t* const* inputs,
                                std::uint32_t playTime, int frames, std::int16_t* const* outputs) {
    if (!overload_) overload_ = stream.TakeOverloadFlag();
    double t = playTime;
    if (context_) {
        std::lock_guard<SGMutex> hold(context_->mutex());
        midi_.RunChaseStep(*context_, frames, t);
        for (int block = 0; block < frames / kBlock; ++block) {
            const int o = block * kBlock;
            ReadInputs(inputs, o);
            if (midi_.chase().syncLocked()) midi_.chase().applyBlockTempo(*context_, block);
            context_->processBlock();
            WriteOutputs(outputs, o);
            TakeSnapshot(t);
            t += kBlockMs;
        }
    } else {
        // No document: every open output plays silence.
        for (int s = 0; s < kSlots; ++s)
            if (outputs[s]) std::fill_n(outputs[s], frames * outMap_.channels[s], std::int16_t{0});
        return;
    }
    SilenceIdlePairs(outputs, frames);
}

void TRealTimeEngine::ReadInputs(const std::int16_t* const* inputs, int o) {
    if (VTSoundIn* in = pool_.soundIn()) {
        const int s = inMap_.slot[0];
        const std::int16_t* data = nullptr;
        int stride = 2;
        if (s >= 0 && inputs[s]) {
            stride = inMap_.channels[s];
            data = inputs[s] + o * stride;
        }
        float pl = 0.0f, pr = 0.0f;
        in->blockInputStep(data, inMap_.offset[0], stride, pl, pr);
        inMeters_[0] = Decayed(inMeters_[0], pl);
        inMeters_[1] = Decayed(inMeters_[1], pr);
    }
    for (int k = 1; k < kLogicalCount; ++k) {
        VTIOContraptionPool::InputSignals sig = pool_.inputSignals(k);
        if (!sig) continue;
        const int s = inMap_.slot[k];
        float& ml = inMeters_[2 * k];
        float& mr = inMeters_[2 * k + 1];
        if (s < 0 || !inputs[s]) {
            sig.left->fill(0.0f);
            sig.right->fill(0.0f);
            ml *= kMeterDecay;
            mr *= kMeterDecay;
            continue;
        }
        const int stride = inMap_.channels[s];
        const std::int16_t* p = inputs[s] + o * stride + inMap_.offset[k];
        int peakL = 0, peakR = 0;
        for (int i = 0; i < kBlock; ++i) {
            const int l = p[i * stride], r = p[i * stride + 1];
            (*sig.left)[i] = static_cast<float>(l) * kFromDevice;
            (*sig.right)[i] = static_cast<float>(r) * kFromDevice;
            peakL = std::max(peakL, std::abs(l));
            peakR = std::max(peakR, std::abs(r));
        }
        ml = Decayed(ml, static_cast<float>(peakL) / 32766.0f);
        mr = Decayed(mr, static_cast<float>(peakR) / 32766.0f);
    }
}

void TRealTimeEngine::WriteOutputs(std::int16_t* const* outputs, int o) {
    int n = 0;
    while (n < kLogicalCount && outMap_.slot[outOrder_[n]] >= 0) {
        const int first = outOrder_[n];
        const int s = outMap_.slot[first];
        int end = n + 1;
        while (end < kLogicalCount && outMap_.slot[outOrder_[end]] == s &&
               outMap_.offset[outOrder_[end]] == outMap_.offset[first])
            ++end;
        // The group's signals: one output's own, or the sum of all that still exist.
        const SGSignal* left = nullptr;
        const SGSignal* right = nullptr;
        int present = 0;
        for (int g = n; g < end; ++g) {
            VTIOContraptionPool::OutputSignals sig = pool_.outputSignals(outOrder_[g]);
            if (!sig) continue;
            if (present == 0) {
                left = sig.left;
                right = sig.right;
            } else {
                if (present == 1) {
                    mixLeft_.assign(*left);
                    mixRight_.assign(*right);
                    left = &mixLeft_;
                    right = &mixRight_;
                }
                mixLeft_.add(*sig.left);
                mixRight_.add(*sig.right);
            }
            ++present;
        }
        if (present == 0) {
            mixLeft_.fill(0.0f);
            mixRight_.fill(0.0f);
            left = &mixLeft_;
            right = &mixRight_;
        }
        float pl = 0.0f, pr = 0.0f;
        if (outputs[s]) {
            const int stride = outMap_.channels[s];
            WriteGroup(outputs[s] + o * stride + outMap_.offset[first], stride, *left, *right, pl,
                       pr);
        }
        for (int g = n; g < end; ++g) {
            const int k = outOrder_[g];
            outMeters_[2 * k] = Decayed(outMeters_[2 * k], pl);
            outMeters_[2 * k + 1] = Decayed(outMeters_[2 * k + 1], pr);
        }
        n = end;
    }
}

void TRealTimeEngine::WriteGroup(std::int16_t* out, int stride, const SGSignal& left,
                                 const SGSignal& right, float& peakLeft, float& peakRight) {
    int maxL = 0, maxR = 0;
    for (int i = 0; i < kBlock; ++i) {
        const std::int16_t l = ToDevice(left[i]);
        const std::int16_t r = ToDevice(right[i]);
        out[i * stride] = l;
        out[i * stride + 1] = r;
        maxL = std::max(maxL, std::abs(int{l}));
        maxR = std::max(maxR, std::abs(int{r}));
    }
    peakLeft = static_cast<float>(maxL) * kFromDevice;
    peakRight = static_cast<float>(maxR) * kFromDevice;
}

void TRealTimeEngine::TakeSnapshot(double t) {
    if (countdown_ == 0) {
        writeIndex_ = (writeIndex_ + 1) % kRingSize;
        MeterSnapshot& r = ring_[writeIndex_];
        r.inputMeters = inMeters_;
        r.outputMeters = outMeters_;
        r.clockTicks = static_cast<std::int32_t>(context_->clockPosition());
        r.playTime = static_cast<std::uint32_t>(t);
        countdown_ = kSnapshotBlocks;
    }
    --countdown_;
}

void TRealTimeEngine::SilenceIdlePairs(std::int16_t* const* outputs, int frames) {
    for (int k = 0; k < idleCount_; ++k) {
        const IdlePair& p = idle_[k];
        std::int16_t* out = outputs[p.slot];
        if (!out) continue;
        const int stride = outMap_.channels[p.slot];
        for (int i = 0; i < frames; ++i) {
            out[i * stride + p.firstChannel] = 0;
            out[i * stride + p.firstChannel + 1] = 0;
        }
    }
}

TRealTimeEngine::MeterSnapshot TRealTimeEngine::CurrentMeterSnapshot() {
    const bool lockedHere = !stream_.Locked();
    if (lockedHere) stream_.LockProcessing();
    const std::uint32_t now = stream_.Clock().TimeMs();
    while (readIndex_ != writeIndex_) {
        const int next = (readIndex_ + 1) % kRingSize;
        // Wrap-safe: the clock's milliseconds roll over like timeGetTime.
        if (static_cast<std::int32_t>(now - ring_[next].playTime) < 0) break;
        readIndex_ = next;
    }
    MeterSnapshot result = ring_[readIndex_];
    if (lockedHere) stream_.UnlockProcessing();
    return result;
}

bool TRealTimeEngine::TakeOverloadIndicator() { return overload_.exchange(false); }

std::string TRealTimeEngine::CpuLoadText() const {
    char text[48];
    std::snprintf(text, sizeof text, "CPU Load: %3.2f", stream_.CpuLoad() * 100.0);
    return text;
}
