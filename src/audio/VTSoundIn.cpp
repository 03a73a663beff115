#include "audio/VTSoundIn.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "params/SGPropertyUnits.h"
#include "wave/VTSampleConversion.h"

namespace {

constexpr float kDevicePeakDivisor = 32766.0f;
constexpr float kFilePeakScale = 1.0f / 32768.0f;

}  // namespace

VTSoundIn::VTSoundIn()
    : SGSignalProcessor(0, 2), halves_(2 * std::size_t(kHalfBufferSamples), std::int16_t(0)) {}

SGPropertyTable& VTSoundIn::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        // None of them offers a numeric range, so none can take a property controller.
        const SGPropertyUnits* units = SGAbstractUnits::instance();
        add(table_, useADC, "UseADC", units, 0.0, 0.0);
        add(table_, inputFile, "InputFile", units, 0.0, 0.0);
        add(table_, fileIsGood, "FileIsGood", units, 0.0, 0.0);
        add(table_, active, "Active", units, 0.0, 0.0);
        add(table_, loop, "Loop", units, 0.0, 0.0);
        add(table_, loopDelay, "LoopDelay", units, 0.0, 0.0);
        add(table_, autoRewind, "AutoRewind", units, 0.0, 0.0);
        add(table_, location, "Location", units, 0.0, 0.0);
        add(table_, duration, "Duration", units, 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTSoundIn::readProperties(std::istream& in) {
    SGSignalProcessor::readProperties(in);
    openInputFile();
}

void VTSoundIn::restoreDefaults() {
    {
        std::lock_guard<std::mutex> hold(fileLock_);
        closeFile();
    }
    useADC.setValue(true);
    inputFile.setValue(nullptr);
    fileIsGood.setValue(false);
    active.setValue(false);
    loop.setValue(false);
    loopDelay.setValue(0.0);
    autoRewind.setValue(false);
    location.setValue(0.0);
    duration.setValue(0.0);
    ownLocation_ = 0.0;
    outletSignal(0).fill(0.0f);
    outletSignal(1).fill(0.0f);
}

void VTSoundIn::closeFile() {
    file_.close();
    info_ = WaveFileInfo{};
    position_ = 0;
    loopSilence_ = 0;
    endPending_ = false;
    half_ = 0;
    index_ = 0;
    resumable_ = false;
}

void VTSoundIn::openInputFile() {
    std::lock_guard<std::mutex> hold(fileLock_);
    closeFile();
    active.setValue(false);
    fileIsGood.setValue(false);
    // A name that leads to no usable file leaves nothing to show: no length, no position.
    duration.setValue(0.0);
    setOwnLocation(0.0);

    const char* name = inputFile.text();
    if (!name || !*name) return;
    WaveFileInfo probed;
    if (!probeWaveFile(name, probed)) return;
    // Reading the first bytes here lets the stream set up its buffer on this thread rather than
    // at the first refill on the audio thread.
    std::uint32_t riff = 0;
    if (!file_.open(name, VTRiffFile::Mode::Read) || !file_.readU32(riff) ||
        !file_.seek(probed.dataOffset)) {
        file_.close();
        return;
    }
    info_ = probed;
    duration.setValue(probed.frames / probed.sampleRate * 1000.0);
    fileIsGood.setValue(true);
}

void VTSoundIn::setOwnLocation(double milliseconds) {
    ownLocation_ = milliseconds;
    location.setValue(milliseconds);
}

void VTSoundIn::blockInputStep(const std::int16_t* data, int channelOffset, int stride,
                               float& peakLeft, float& peakRight) {
    if (useADC.value())
        deviceStep(data, channelOffset, stride, peakLeft, peakRight);
    else
        fileStep(peakLeft, peakRight);
}

void VTSoundIn::silenceOutlets(float& peakLeft, float& peakRight) {
    outletSignal(0).fill(0.0f);
    outletSignal(1).fill(0.0f);
    peakLeft = peakRight = 0.0f;
}

void VTSoundIn::deviceStep(const std::int16_t* data, int channelOffset, int stride, float& peakLeft,
                           float& peakRight) {
    if (!data) {
        silenceOutlets(peakLeft, peakRight);
        return;
    }
    float* left = outletSignal(0).samples();
    float* right = outletSignal(1).samples();
    const std::int16_t* frame = data + channelOffset;
    int maxLeft = 0, maxRight = 0;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i, frame += stride) {
        left[i] = VTSampleConversion::sample16ToFloat(frame[0]);
        right[i] = VTSampleConversion::sample16ToFloat(frame[1]);
        maxLeft = std::max(maxLeft, std::abs(int(frame[0])));
        maxRight = std::max(maxRight, std::abs(int(frame[1])));
    }
    peakLeft = float(maxLeft) / kDevicePeakDivisor;
    peakRight = float(maxRight) / kDevicePeakDivisor;
}

void VTSoundIn::fileStep(float& peakLeft, float& peakRight) {
    if (active.testAndClearChanged() && active.value()) startPlaying();
    if (!active.value() || !fileIsGood.value()) {
        silenceOutlets(peakLeft, peakRight);
        return;
    }
    float* left = outletSignal(0).samples();
    float* right = outletSignal(1).samples();
    int maxLeft = 0, maxRight = 0;
    std::uint32_t i = 0;
    while (i < SGBlockSize && !atEndOfData()) {
        std::uint32_t n = playRun(left + i, right + i, SGBlockSize - i, maxLeft, maxRight);
        if (n == 0) {
            // A pair split between the two half-buffers, sample by sample.
            std::int16_t l = takeSample();
            std::int16_t r = info_.channels == 1 ? l : takeSample();
            left[i] = VTSampleConversion::sample16ToFloat(l);
            right[i] = VTSampleConversion::sample16ToFloat(r);
            maxLeft = std::max(maxLeft, std::abs(int(l)));
            maxRight = std::max(maxRight, std::abs(int(r)));
            n = 1;
        }
        i += n;
    }
    for (; i < SGBlockSize; ++i) left[i] = right[i] = 0.0f;
    if (atEndOfData()) finishPlaying();
    peakLeft = float(maxLeft) * kFilePeakScale;
    peakRight = float(maxRight) * kFilePeakScale;
}

// Plays up to `frames` frames that lie wholly in the present half-buffer, before the end of the
// data; switches to the other half-buffer when this one is used up. Gives the frames played.
std::uint32_t VTSoundIn::playRun(float* left, float* right, std::uint32_t frames, int& maxLeft,
                                 int& maxRight) {
    const std::uint32_t limit = endPending_ && half_ == endHalf_ ? endIndex_ : kHalfBufferSamples;
    const std::uint32_t step = info_.channels == 1 ? 1 : 2;
    const std::uint32_t n = std::min(frames, (limit - index_) / step);
    const std::int16_t* s = halves_.data() + std::size_t(half_) * kHalfBufferSamples + index_;
    int ml = maxLeft, mr = maxRight;
    if (step == 1) {
        for (std::uint32_t k = 0; k < n; ++k) {
            float v = VTSampleConversion::sample16ToFloat(s[k]);
            left[k] = v;
            right[k] = v;
            ml = std::max(ml, std::abs(int(s[k])));
        }
        mr = ml;
    } else {
        for (std::uint32_t k = 0; k < n; ++k) {
            left[k] = VTSampleConversion::sample16ToFloat(s[2 * k]);
            right[k] = VTSampleConversion::sample16ToFloat(s[2 * k + 1]);
            ml = std::max(ml, std::abs(int(s[2 * k])));
            mr = std::max(mr, std::abs(int(s[2 * k + 1])));
        }
    }
    maxLeft = ml;
    maxRight = mr;
    index_ += n * step;
    if (index_ == kHalfBufferSamples && !atEndOfData()) {
        refillHalfBuffer(half_);
        half_ ^= 1;
        index_ = 0;
    }
    return n;
}

void VTSoundIn::startPlaying() {
    // Play after a pause goes on with the sample that was to be heard next. The half-buffers
    // still hold it; refilling them from the read-ahead position would skip what they hold.
    bool userSeek = location.isChanged() && location.value() != ownLocation_;
    if (resumable_ && !autoRewind.value() && !userSeek) return;
    if (autoRewind.value()) {
        rewind();
        setOwnLocation(0.0);
    }
    loopSilence_ = 0;
    endPending_ = false;
    refillHalfBuffer(0);
    refillHalfBuffer(1);
    half_ = 0;
    index_ = 0;
    resumable_ = true;
}

// The last sample of the file's data has been played.
void VTSoundIn::finishPlaying() {
    endPending_ = false;
    resumable_ = false;
    active.setValue(false);
    setOwnLocation(autoRewind.value() ? 0.0 : duration.value());
    if (autoRewind.value()) rewind();
}

// On the audio thread: never waits for the user-interface thread. While that holds the file it
// is opening another one, which starts at its beginning anyway.
void VTSoundIn::rewind() {
    std::unique_lock<std::mutex> hold(fileLock_, std::try_to_lock);
    if (hold.owns_lock() && file_.isOpen()) seekFrame(0);
}

std::int16_t VTSoundIn::takeSample() {
    if (atEndOfData()) return 0;  // the odd sample of a pair that the data does not complete
    std::int16_t s = halves_[std::size_t(half_) * kHalfBufferSamples + index_];
    ++index_;
    // Nothing after the end is played, so the finished half-buffer need not be refilled.
    if (index_ == kHalfBufferSamples && !atEndOfData()) {
        refillHalfBuffer(half_);
        half_ ^= 1;
        index_ = 0;
    }
    return s;
}

void VTSoundIn::seekFrame(std::uint32_t frame) {
    position_ = std::min(frame, info_.frames);
    file_.seek(info_.dataOffset + std::uint64_t(position_) * info_.channels * 2);
}

std::uint32_t VTSoundIn::readFrames(std::int16_t* into, std::uint32_t frames) {
    std::size_t bytes = std::size_t(frames) * info_.channels * 2;
    std::size_t got = file_.read(into, bytes);
    // A file cut short since it was probed: what is missing plays as silence.
    std::fill(reinterpret_cast<std::uint8_t*>(into) + got,
              reinterpret_cast<std::uint8_t*>(into) + bytes, std::uint8_t(0));
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t k = 0; k < bytes / 2; ++k) {
            auto v = static_cast<std::uint16_t>(into[k]);
            into[k] = static_cast<std::int16_t>(std::uint16_t(v << 8 | v >> 8));
        }
    }
    position_ += frames;
    return frames;
}

// Fills one half-buffer with what plays next: loop silence still owed, then the file from the
// present position; at the end of the data the file starts again (with "Loop", after
// "LoopDelay" of silence) or the rest stays silent and the end is marked for playback.
void VTSoundIn::refillHalfBuffer(int half) {
    std::int16_t* buffer = halves_.data() + std::size_t(half) * kHalfBufferSamples;
    // A refill never waits for the user-interface thread: while it holds the file (opening
    // another) this stretch is silent.
    std::unique_lock<std::mutex> hold(fileLock_, std::try_to_lock);
    if (!hold.owns_lock() || !file_.isOpen() || info_.channels == 0) {
        std::fill(buffer, buffer + kHalfBufferSamples, std::int16_t(0));
        return;
    }
    const std::uint32_t channels = info_.channels;
    const double rate = info_.sampleRate;

    if (location.testAndClearChanged() && location.value() != ownLocation_) {
        double frame = std::floor(location.value() * 0.001 * rate);
        // The data already buffered past the old end no longer ends the playback.
        endPending_ = false;
        seekFrame(frame > 0.0 ? static_cast<std::uint32_t>(std::min<double>(frame, info_.frames))
                              : 0);
    }

    std::uint32_t filled = std::min(loopSilence_, kHalfBufferSamples);
    std::fill(buffer, buffer + filled, std::int16_t(0));
    loopSilence_ -= filled;
    bool delayGoesOn = loopSilence_ > 0;
    while (!delayGoesOn && filled + channels <= kHalfBufferSamples) {
        std::uint32_t room = (kHalfBufferSamples - filled) / channels;
        std::uint32_t remaining = info_.frames - position_;
        if (room < remaining) {
            filled += readFrames(buffer + filled, room) * channels;
            break;
        }
        filled += readFrames(buffer + filled, remaining) * channels;
        if (!loop.value()) {
            if (!endPending_) {
                endPending_ = true;
                endHalf_ = half;
                endIndex_ = filled;
            }
            break;
        }
        seekFrame(0);
        // Whole frames of silence, so that the channels of a stereo file never trade places.
        double delayFrames = std::floor(loopDelay.value() * 0.001 * rate);
        loopSilence_ =
            delayFrames > 0.0
                ? static_cast<std::uint32_t>(std::min<double>(delayFrames * channels, 0x7fffffff))
                : 0;
        std::uint32_t silent = std::min(loopSilence_, kHalfBufferSamples - filled);
        std::fill(buffer + filled, buffer + filled + silent, std::int16_t(0));
        filled += silent;
        loopSilence_ -= silent;
        delayGoesOn = loopSilence_ > 0;
        // An empty file would loop here for ever.
        if (info_.frames == 0) break;
    }
    std::fill(buffer + filled, buffer + kHalfBufferSamples, std::int16_t(0));
    // While a loop delay runs the file has been played to its end.
    setOwnLocation(delayGoesOn ? duration.value() : position_ / rate * 1000.0);
}
