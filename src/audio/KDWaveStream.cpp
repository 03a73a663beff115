#include "audio/KDWaveStream.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>

#include "audio/EWaveError.h"
#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDRealtimeThread.h"

namespace {

constexpr std::uint32_t kNeverDone = INT32_MAX;
constexpr std::uint32_t kFullVolume = 0xFFFFFFFFu;

bool earlier(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

}  // namespace

// ---------------------------------------------------------------- construction and lists

KDWaveStream::KDWaveStream(KDAudioSystem& system) : system_(system), clock_(system.clock()) {
    BuildList(inputs_, KDAudioDirection::Input);
    BuildList(outputs_, KDAudioDirection::Output);
    for (auto& t : lastDone_) t.store(kNeverDone);
}

KDWaveStream::~KDWaveStream() {
    try {
        StopStream();
    } catch (const EWaveError&) {
        // Nobody is left to tell; the devices are closed all the same.
    }
}

void KDWaveStream::BuildList(Side& side, KDAudioDirection direction) {
    side.names = {"(None)"};
    side.ids = {-1};
    auto entries = system_.Devices(direction);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        // Only devices that can stream 44.1 kHz stereo 16-bit can be chosen.
        if (!entries[i].info.supports44kStereo16) continue;
        side.names.push_back(entries[i].info.name);
        side.ids.push_back(i);
        side.entries.push_back(entries[i]);
    }
}

int KDWaveStream::InputDeviceChannelCount(int index) const {
    return index > 0 && index < static_cast<int>(inputs_.names.size())
               ? inputs_.entries[index - 1].info.channels
               : 0;
}

int KDWaveStream::OutputDeviceChannelCount(int index) const {
    return index > 0 && index < static_cast<int>(outputs_.names.size())
               ? outputs_.entries[index - 1].info.channels
               : 0;
}

int KDWaveStream::InputDeviceId(int index) const {
    return index >= 0 && index < static_cast<int>(inputs_.ids.size()) ? inputs_.ids[index] : -1;
}

int KDWaveStream::OutputDeviceId(int index) const {
    return index >= 0 && index < static_cast<int>(outputs_.ids.size()) ? outputs_.ids[index] : -1;
}

// ---------------------------------------------------------------- configuration

int KDWaveStream::LimitCount(int count) { return std::clamp(count, 1, 16); }

int KDWaveStream::LimitSize(int size) {
    size = std::min(size, kMaxBufferSize) & ~3;
    return size < 125 ? 128 : size;
}

template <typename Change>
void KDWaveStream::Reconfigure(Change change) {
    const bool wasRunning = running_;
    if (wasRunning) StopStream();
    change();
    if (wasRunning) StartStream();
}

void KDWaveStream::SetInputBufferCount(int count) {
    count = LimitCount(count);
    if (count != inputs_.bufferCount) Reconfigure([&] { inputs_.bufferCount = count; });
}

void KDWaveStream::SetInputBufferSize(int size) {
    size = LimitSize(size);
    if (size != inputs_.bufferSize) Reconfigure([&] { inputs_.bufferSize = size; });
}

void KDWaveStream::SetOutputBufferCount(int count) {
    count = LimitCount(count);
    if (count != outputs_.bufferCount) Reconfigure([&] { outputs_.bufferCount = count; });
}

void KDWaveStream::SetOutputBufferSize(int size) {
    size = LimitSize(size);
    if (size != outputs_.bufferSize) Reconfigure([&] { outputs_.bufferSize = size; });
}

void KDWaveStream::SetInputDevices(int slot, int index) {
    if (slot < 0 || slot >= kSlots) return;
    if (index < 0 || index >= static_cast<int>(inputs_.names.size())) index = 0;
    if (index != inputs_.devices[slot]) Reconfigure([&] { inputs_.devices[slot] = index; });
}

void KDWaveStream::SetOutputDevices(int slot, int index) {
    if (slot < 0 || slot >= kSlots) return;
    if (index < 0 || index >= static_cast<int>(outputs_.names.size())) index = 0;
    if (index != outputs_.devices[slot]) Reconfigure([&] { outputs_.devices[slot] = index; });
}

void KDWaveStream::SetInputDeviceChannels(int slot, int channels) {
    if (slot < 0 || slot >= kSlots || channels < 1) return;
    if (channels != inputs_.channels[slot]) Reconfigure([&] { inputs_.channels[slot] = channels; });
}

void KDWaveStream::SetOutputDeviceChannels(int slot, int channels) {
    if (slot < 0 || slot >= kSlots || channels < 1) return;
    if (channels != outputs_.channels[slot]) {
        Reconfigure([&] { outputs_.channels[slot] = channels; });
    }
}

void KDWaveStream::SetInputDeviceMask(int mask) {
    if (mask != inputs_.mask) Reconfigure([&] { inputs_.mask = mask; });
}

void KDWaveStream::SetOutputDeviceMask(int mask) {
    if (mask != outputs_.mask) Reconfigure([&] { outputs_.mask = mask; });
}

void KDWaveStream::SetOnProcess(KDWaveProcessor* processor) {
    // Read once per cycle, so a cycle never sees the processor change half-way.
    processor_.store(processor);
}

// ---------------------------------------------------------------- errors

void KDWaveStream::Raise(KDAudioDirection direction, int code, const std::string& text) {
    if (direction == KDAudioDirection::Input) throw EWaveInError(code, text);
    throw EWaveOutError(code, text);
}

void KDWaveStream::Check(KDAudioDirection direction, KDAudioDevice& device, int code) {
    if (code == KDAudioOk) return;
    std::string text = device.ErrorText(code);
    Abort();
    Raise(direction, code, text);
}

// ---------------------------------------------------------------- semaphores

void KDWaveStream::Notice::BufferDone(KDWaveHeader&, std::uint32_t timeMs) noexcept {
    if (lastDone) lastDone->store(timeMs, std::memory_order_release);
    semaphore->s.release();
}

bool KDWaveStream::WaitAll(Side& side, int timeoutMs) {
    // All or none: a semaphore taken before a later one timed out is given back.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (int k = 0; k < side.count; ++k) {
        if (!side.semaphores[k].s.try_acquire_until(deadline)) {
            for (int j = 0; j < k; ++j) side.semaphores[j].s.release();
            return false;
        }
    }
    return true;
}

bool KDWaveStream::TryAll(Side& side) {
    for (int k = 0; k < side.count; ++k) {
        if (!side.semaphores[k].s.try_acquire()) {
            for (int j = 0; j < k; ++j) side.semaphores[j].s.release();
            return false;
        }
    }
    return true;
}

void KDWaveStream::ReleaseAll(Side& side) {
    for (int k = 0; k < side.count; ++k) side.semaphores[k].s.release();
}

void KDWaveStream::Drain(Side& side) {
    for (auto& semaphore : side.semaphores) {
        while (semaphore.s.try_acquire()) {
        }
    }
}

// ---------------------------------------------------------------- start and stop

void KDWaveStream::OpenOne(Side& side, KDAudioDirection direction, int slot) {
    const int k = side.count;
    side.queues[slot].Configure(side.bufferCount, side.bufferSize, side.channels[slot]);
    side.notices[k].semaphore = &side.semaphores[k];
    side.notices[k].lastDone = direction == KDAudioDirection::Output ? &lastDone_[k] : nullptr;
    std::string error;
    std::unique_ptr<KDAudioDevice> device;
    int code =
        system_.Open(direction, side.entries[side.devices[slot] - 1],
                     KDWaveFormat::pcm16(side.channels[slot]), side.notices[k], device, error);
    if (code != KDAudioOk) {
        Abort();
        Raise(direction, code, error);
    }
    side.opened[k] = std::move(device);
    side.slotOf[k] = slot;
    ++side.count;
    if (direction == KDAudioDirection::Output) {
        // A device left at volume 0 by another program would make the stream seem dead.
        std::uint32_t volume = kFullVolume;
        if (side.opened[k]->GetVolume(volume) == KDAudioOk && volume == 0) {
            side.opened[k]->SetVolume(kFullVolume);
        }
    }
}

void KDWaveStream::OpenDevices(Side& side, KDAudioDirection direction) {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (side.devices[slot] != 0 && (side.mask >> slot & 1)) OpenOne(side, direction, slot);
    }
}

void KDWaveStream::PrepareBuffers(Side& side, KDAudioDirection direction) {
    for (int k = 0; k < side.count; ++k) {
        KDWaveBufferQueue& queue = side.queues[side.slotOf[k]];
        queue.Allocate();
        queue.Clear();
        for (int i = 0; i < queue.count(); ++i) {
            Check(direction, *side.opened[k], side.opened[k]->Prepare(queue.header(i)));
        }
    }
}

void KDWaveStream::StartStream() {
    if (running_) return;
    if (outputs_.bufferSize > inputs_.bufferSize) inputs_.bufferSize = outputs_.bufferSize;
    Abort();  // closes anything a failed start left open
    for (int slot = 0; slot < kSlots; ++slot) {
        // Interleave as the devices are numbered: input j, then output j.
        if (inputs_.devices[slot] != 0 && (inputs_.mask >> slot & 1)) {
            OpenOne(inputs_, KDAudioDirection::Input, slot);
        }
        if (outputs_.devices[slot] != 0 && (outputs_.mask >> slot & 1)) {
            OpenOne(outputs_, KDAudioDirection::Output, slot);
        }
    }
    for (int k = 0; k < outputs_.count; ++k) {
        Check(KDAudioDirection::Output, *outputs_.opened[k], outputs_.opened[k]->Pause());
    }
    PrepareBuffers(inputs_, KDAudioDirection::Input);
    PrepareBuffers(outputs_, KDAudioDirection::Output);
    for (int k = 0; k < inputs_.count; ++k) {
        KDWaveBufferQueue& queue = inputs_.queues[inputs_.slotOf[k]];
        for (int i = 0; i < queue.count(); ++i) {
            Check(KDAudioDirection::Input, *inputs_.opened[k],
                  inputs_.opened[k]->Queue(queue.header(i)));
        }
    }
    readPointers_.fill(nullptr);
    outputPointers_.fill(nullptr);
    for (int k = 0; k < outputs_.count; ++k) {
        outputPointers_[outputs_.slotOf[k]] = outputs_.queues[outputs_.slotOf[k]].samples(0);
    }
    running_ = true;
    threadsRun_.store(true);
    abandon_.store(false);
    lastResult_.store(KDAudioOk);
    inputStopped_.store(false);

    if (inputs_.count > 0) {
        inputThreadIndex_ = 0;
        readIndex_ = 0;
        inputBytesLeft_ = 0;
        Drain(inputs_);
        inputThread_ = std::thread([this] { InputThread(); });
        for (int k = 0; k < inputs_.count; ++k) {
            Check(KDAudioDirection::Input, *inputs_.opened[k], inputs_.opened[k]->Start());
        }
    }

    current_ = 0;
    overloads_.store(0);
    rampInPending_.store(rampEnds_);
    rampOutRequested_.store(false);
    for (auto& sample : loadRing_) sample.store(0.0);
    loadIndex_ = 0;
    for (auto& t : lastDone_) t.store(kNeverDone);
    Drain(outputs_);
    inFlight_ = outputs_.bufferCount;
    outputThread_ = std::thread([this] { OutputThread(); });
    for (int k = 0; k < outputs_.count; ++k) {
        KDWaveBufferQueue& queue = outputs_.queues[outputs_.slotOf[k]];
        for (int i = 0; i < queue.count(); ++i) {
            Check(KDAudioDirection::Output, *outputs_.opened[k],
                  outputs_.opened[k]->Queue(queue.header(i)));
        }
    }
    // Restarted together, so that all outputs begin at the same moment.
    for (int k = 0; k < outputs_.count; ++k) {
        Check(KDAudioDirection::Output, *outputs_.opened[k], outputs_.opened[k]->Restart());
    }
}

void KDWaveStream::StopStream() {
    if (!running_) {
        Abort();
        return;
    }
    if (locked_.load()) {
        threadsRun_.store(false);
        UnlockProcessing();
    } else if (rampEnds_) {
        // The output thread fades the next buffer out and then stops by itself.
        rampOutRequested_.store(true);
    } else {
        threadsRun_.store(false);
    }
    if (outputThread_.joinable()) outputThread_.join();
    threadsRun_.store(false);

    int code = KDAudioOk;
    std::string text;
    KDAudioDirection failing = KDAudioDirection::Input;
    if (inputs_.count > 0) {
        {
            std::lock_guard lock(processing_);
            for (int k = 0; k < inputs_.count; ++k) {
                int result = inputs_.opened[k]->Reset();
                if (result != KDAudioOk && code == KDAudioOk) {
                    code = result;
                    text = inputs_.opened[k]->ErrorText(result);
                }
            }
        }
        ReleaseAll(inputs_);
        if (inputThread_.joinable()) inputThread_.join();
    }
    if (code == KDAudioOk) {
        code = CloseSide(inputs_, text);
    } else {
        std::string ignored;
        CloseSide(inputs_, ignored);
    }
    if (code == KDAudioOk) {
        code = CloseSide(outputs_, text);
        failing = KDAudioDirection::Output;
    } else {
        std::string ignored;
        CloseSide(outputs_, ignored);
    }
    running_ = false;
    if (code != KDAudioOk) Raise(failing, code, text);
}

int KDWaveStream::CloseSide(Side& side, std::string& text) {
    int first = KDAudioOk;
    for (int k = 0; k < side.count; ++k) {
        KDAudioDevice& device = *side.opened[k];
        // Buffers a stalled device still holds come back first, so that closing can succeed.
        device.Reset();
        KDWaveBufferQueue& queue = side.queues[side.slotOf[k]];
        if (queue.allocated()) {
            for (int i = 0; i < queue.count(); ++i) device.Unprepare(queue.header(i));
        }
        int result = device.Close();
        if (result != KDAudioOk && first == KDAudioOk) {
            first = result;
            text = device.ErrorText(result);
        }
        side.opened[k].reset();
    }
    side.count = 0;
    return first;
}

void KDWaveStream::Abort() {
    // Ends whatever runs and closes every device, reporting nothing: used before a start and
    // when a start fails half-way.
    threadsRun_.store(false);
    abandon_.store(true);
    if (locked_.load()) UnlockProcessing();
    ReleaseAll(inputs_);
    ReleaseAll(outputs_);
    if (outputThread_.joinable()) outputThread_.join();
    if (inputThread_.joinable()) inputThread_.join();
    std::string ignored;
    CloseSide(inputs_, ignored);
    CloseSide(outputs_, ignored);
    running_ = false;
}

// ---------------------------------------------------------------- user-interface services

void KDWaveStream::LockProcessing() {
    if (locked_.load()) return;
    processing_.lock();
    locked_.store(true);
}

void KDWaveStream::UnlockProcessing() {
    if (!locked_.load()) return;
    locked_.store(false);
    processing_.unlock();
}

bool KDWaveStream::TakeOverloadFlag() { return overloads_.exchange(0) != 0; }

double KDWaveStream::CpuLoad() const {
    double sum = 0.0;
    for (const auto& sample : loadRing_) sum += sample.load(std::memory_order_relaxed);
    return sum / 5.0 / (OutputFrames() * 10000.0 / 44100.0);
}

// ---------------------------------------------------------------- the input thread

void KDWaveStream::InputThread() {
    KDRealtimeThread::RaiseCurrent();
    const int timeout = 2 * InputPeriodMs();
    for (;;) {
        bool signalled = WaitAll(inputs_, timeout);
        if (!threadsRun_.load()) return;
        if (!signalled) continue;
        std::lock_guard lock(processing_);
        if (!threadsRun_.load()) return;
        bool failedQueue = false;
        for (int k = 0; k < inputs_.count; ++k) {
            KDWaveBufferQueue& queue = inputs_.queues[inputs_.slotOf[k]];
            int result = inputs_.opened[k]->Queue(queue.header(inputThreadIndex_));
            if (result != KDAudioOk) {
                lastResult_.store(result);
                failedQueue = true;
            }
        }
        if (failedQueue) {
            // A device that takes no more buffers has gone: the input side stops and the
            // outputs go on with silent inputs.
            for (int k = 0; k < inputs_.count; ++k) inputs_.queues[inputs_.slotOf[k]].Clear();
            inputStopped_.store(true);
            return;
        }
        inputThreadIndex_ = (inputThreadIndex_ + 1) % inputs_.bufferCount;
    }
}

// ---------------------------------------------------------------- the output thread

std::uint32_t KDWaveStream::PlayTime(int ready) const {
    std::uint32_t first = kNeverDone;
    bool any = false;
    for (int k = 0; k < outputs_.count; ++k) {
        std::uint32_t t = lastDone_[k].load(std::memory_order_acquire);
        if (!any || earlier(t, first)) first = t;
        any = true;
    }
    return first +
           static_cast<std::uint32_t>((outputs_.bufferCount - ready - 1) * OutputPeriodMs());
}

void KDWaveStream::RecoverUnderrun(int ready) {
    // Every queued buffer has played: refill the queue with the newest buffer, so the device
    // repeats a little sound instead of falling silent or clicking.
    overloads_.fetch_add(1);
    const int count = outputs_.bufferCount;
    const int previous = current_ == 0 ? count - 1 : current_ - 1;
    for (int r = 0; r < ready; ++r) {
        for (int k = 0; k < outputs_.count; ++k) {
            KDWaveBufferQueue& queue = outputs_.queues[outputs_.slotOf[k]];
            std::memcpy(queue.samples(current_), queue.samples(previous), queue.bufferBytes());
            int result = outputs_.opened[k]->Queue(queue.header(current_));
            if (result != KDAudioOk) lastResult_.store(result);
        }
        current_ = (current_ + 1) % count;
    }
    inFlight_ += ready;
}

void KDWaveStream::HandOffInput() {
    // The newest filled buffer of every input feeds the next InputBufferSize ÷ OutputBufferSize
    // cycles. A new one is taken once too little is left for a whole cycle.
    if (inputs_.count == 0 || inputBytesLeft_ >= outputs_.bufferSize) return;
    readIndex_ = inputThreadIndex_ == 0 ? inputs_.bufferCount - 1 : inputThreadIndex_ - 1;
    for (int k = 0; k < inputs_.count; ++k) {
        const int slot = inputs_.slotOf[k];
        readPointers_[slot] = inputs_.queues[slot].samples(readIndex_);
    }
    inputBytesLeft_ = inputs_.bufferSize;
}

void KDWaveStream::Ramp(bool fadeOut) {
    const int frames = OutputFrames();
    const int length = std::min(kRampFrames, frames);
    for (int k = 0; k < outputs_.count; ++k) {
        const int slot = outputs_.slotOf[k];
        const int channels = outputs_.queues[slot].channels();
        std::int16_t* samples = outputs_.queues[slot].samples(current_);
        if (fadeOut) samples += static_cast<std::size_t>(frames - length) * channels;
        for (int f = 0; f < length; ++f) {
            const int gain = fadeOut ? length - f : f;
            for (int c = 0; c < channels; ++c) {
                std::int16_t& s = samples[f * channels + c];
                s = static_cast<std::int16_t>(s * gain / length);
            }
        }
    }
}

void KDWaveStream::QueueCurrentOutputs() {
    for (int k = 0; k < outputs_.count; ++k) {
        KDWaveBufferQueue& queue = outputs_.queues[outputs_.slotOf[k]];
        int result = outputs_.opened[k]->Queue(queue.header(current_));
        if (result != KDAudioOk) lastResult_.store(result);
    }
}

void KDWaveStream::WaitForInFlight() {
    // Every buffer already queued plays before the devices close. A device that stops giving
    // notices (gone, stalled) is not waited for any longer.
    const int timeout = 2 * OutputPeriodMs() + 100;
    while (inFlight_ > 0 && !abandon_.load()) {
        if (!WaitAll(outputs_, timeout)) break;
        --inFlight_;
    }
}

void KDWaveStream::OutputThread() {
    bool raised = KDRealtimeThread::RaiseCurrent();
    bool lowered = false;
    const int frames = OutputFrames();
    const int count = outputs_.bufferCount;
    const int timeout = 2 * OutputPeriodMs();
    const double periodUnits = frames * 10000.0 / 44100.0;  // the period in 0.1 ms
    const double counterPerUnit = static_cast<double>(clock_.CounterFrequency()) / 10000.0;
    for (;;) {
        // With no output device there is nothing to wait on and nothing to pace the cycle: a
        // wait on no devices fails, which ends the loop at once.
        if (outputs_.count == 0) break;
        if (!WaitAll(outputs_, timeout)) {
            // No device finished a buffer for two periods. A stop that waits for the fade-out
            // would wait for ever on a stalled device, so it ends the loop as well.
            if (!threadsRun_.load() || rampOutRequested_.load()) break;
            continue;
        }
        --inFlight_;
        if (!threadsRun_.load()) break;

        std::unique_lock lock(processing_);
        // Only the other buffers of the ring can have finished meanwhile.
        int ready = 0;
        while (ready < count - 1 && TryAll(outputs_)) {
            --inFlight_;
            ++ready;
        }
        if (ready == count - 1) {
            RecoverUnderrun(ready);
            ready = 0;
        } else {
            for (int r = 0; r < ready; ++r) ReleaseAll(outputs_);
            inFlight_ += ready;
        }
        const std::uint32_t playTime = PlayTime(ready);
        HandOffInput();
        const std::int64_t start = clock_.Counter();

        const bool rampingOut = rampOutRequested_.load();
        for (int k = 0; k < outputs_.count; ++k) {
            const int slot = outputs_.slotOf[k];
            outputPointers_[slot] = outputs_.queues[slot].samples(current_);
        }
        if (KDWaveProcessor* processor = processor_.load()) {
            processor->OnProcess(*this, readPointers_.data(), playTime, frames,
                                 outputPointers_.data());
            for (int k = 0; k < inputs_.count; ++k) {
                const int slot = inputs_.slotOf[k];
                readPointers_[slot] += static_cast<std::size_t>(frames) * inputs_.channels[slot];
            }
            if (rampingOut) {
                Ramp(true);
            } else if (rampInPending_.exchange(false)) {
                Ramp(false);
            }
        } else {
            for (int k = 0; k < outputs_.count; ++k) {
                KDWaveBufferQueue& queue = outputs_.queues[outputs_.slotOf[k]];
                std::memset(queue.samples(current_), 0, queue.bufferBytes());
            }
        }
        QueueCurrentOutputs();
        if (inputs_.count > 0) inputBytesLeft_ -= outputs_.bufferSize;
        ++inFlight_;
        current_ = (current_ + 1) % count;

        loadRing_[loadIndex_].store(static_cast<double>(clock_.Counter() - start) / counterPerUnit,
                                    std::memory_order_relaxed);
        loadIndex_ = (loadIndex_ + 1) % 5;
        if (rampingOut) {
            threadsRun_.store(false);
            break;
        }
        double load = 0.0;
        for (const auto& sample : loadRing_) load += sample.load(std::memory_order_relaxed);
        load = load / 5.0 / periodUnits;
        if (load > 1.0) {
            overloads_.fetch_add(1);
            lock.unlock();
            if (!overdrive_.load() && raised && !lowered) {
                // Let the user interface breathe while the machine cannot keep up.
                KDRealtimeThread::LowerCurrent();
                lowered = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(frames * 25 / 44100));
        } else {
            lock.unlock();
            if (lowered) {
                raised = KDRealtimeThread::RaiseCurrent();
                lowered = false;
            }
        }
    }
    WaitForInFlight();
}
