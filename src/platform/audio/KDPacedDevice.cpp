#include "platform/audio/KDPacedDevice.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/KDRealtimeThread.h"

KDPacedDevice::KDPacedDevice(KDAudioDirection direction, const KDWaveFormat& format,
                             KDAudioDeviceClient& client, const KDWaveClock& clock)
    : KDQueuedDevice(direction, format, client, clock),
      period_(static_cast<std::size_t>(kPeriodFrames) * format.channels, 0) {}

KDPacedDevice::~KDPacedDevice() {
    RequestStop();
    StopEngine();
}

void KDPacedDevice::Begin() {
    thread_ = std::thread([this] { Run(); });
}

void KDPacedDevice::StopEngine() {
    if (thread_.joinable()) thread_.join();
}

void KDPacedDevice::Run() {
    KDRealtimeThread::RaiseCurrent();
    using namespace std::chrono;
    const auto start = steady_clock::now();
    const int rate = format().samplesPerSecond;
    long long frames = 0;
    while (!Stopping()) {
        if (direction() == KDAudioDirection::Output) {
            TransferOut(period_.data(), kPeriodFrames, clock_.TimeMs());
        } else {
            std::fill(period_.begin(), period_.end(), std::int16_t{0});
            TransferIn(period_.data(), kPeriodFrames, clock_.TimeMs());
        }
        frames += kPeriodFrames;
        // Deadlines come from the frame count, so the pace never drifts.
        auto due = start + nanoseconds(frames * 1000000000LL / rate);
        if (due < steady_clock::now() - milliseconds(200)) {
            // Far behind (the machine was suspended): start counting afresh.
            frames = 0;
            std::this_thread::sleep_for(milliseconds(1));
            continue;
        }
        std::this_thread::sleep_until(due);
    }
}
