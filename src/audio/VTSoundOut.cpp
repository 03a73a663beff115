#include "audio/VTSoundOut.h"

#include <algorithm>

#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "params/SGPropertyUnits.h"
#include "wave/VTSampleConversion.h"

VTSoundOut::VTSoundOut(const VTIOContraptionPool* pool)
    : SGSignalProcessor(2, 0), pool_(pool), staging_(2 * std::size_t(kStagingFrames), 0) {}

VTSoundOut::~VTSoundOut() { closeWriter(); }

SGPropertyTable& VTSoundOut::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        // None of them offers a numeric range, so none can take a property controller. The
        // recorder's state, position and length are left out: a document never stores them.
        const SGPropertyUnits* units = SGAbstractUnits::instance();
        add(table_, outputFile, "OutputFile", units, 0.0, 0.0);
        add(table_, action, "Action", units, 0.0, 0.0);
        add(table_, fileMode, "FileMode", units, 0.0, 0.0);
        add(table_, punchMode, "PunchMode", units, 0.0, 0.0);
        add(table_, recordDuration, "RecordDuration", units, 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTSoundOut::readProperties(std::istream& in) {
    SGSignalProcessor::readProperties(in);
    openOutputFile();
}

void VTSoundOut::closeWriter() {
    // A take still running keeps what it has staged: the file is complete when it closes.
    if (recorderState.value() == kRecording) writeStaged();
    stagedSamples_ = 0;
    writer_.reset();
}

void VTSoundOut::openOutputFile() {
    closeWriter();
    sendingPlayback_ = false;
    // A new file starts idle; a record or play request stored with the document or left
    // pending for the old file does not carry over.
    action.setValue(kStop);
    action.clearChanged();
    playPosition.setValue(0.0);
    fileDuration.setValue(0.0);
    recorderState.setValue(kNoFile);
    const char* name = outputFile.text();
    if (!name || !*name) return;
    auto writer = std::make_unique<VTWaveOutFile>(name, kFileRate, 2, false);
    // Not 16-bit stereo at 44100 Hz, not RIFF WAVE or not readable: refused, left as it is.
    if (!writer->isOpen()) return;
    writer_ = std::move(writer);
    fileDuration.setValue(writer_->length() / double(kFileRate) * 1000.0);
    recorderState.setValue(kIdle);
}

void VTSoundOut::restoreDefaults() {
    closeWriter();
    outputFile.setValue(nullptr);
    action.setValue(kStop);
    fileMode.setValue(kAppend);
    recorderState.setValue(kNoFile);
    punchMode.setValue(kManual);
    recordDuration.setValue(300);
    playPosition.setValue(0.0);
    fileDuration.setValue(0.0);
    playLeft_.fill(0.0f);
    playRight_.fill(0.0f);
    sendingPlayback_ = false;
}

const SGSignal& VTSoundOut::sentSignal(int channel) const {
    if (sendingPlayback_) return channel == 0 ? playLeft_ : playRight_;
    return inletSignal(channel);
}

bool VTSoundOut::soundInPlaying() const {
    const VTSoundIn* in = pool_ ? pool_->soundIn() : nullptr;
    return in && in->isFilePlaying();
}

void VTSoundOut::process() {
    const bool soundInIsPlaying = soundInPlaying();
    sendingPlayback_ = false;
    if (recorderState.value() == kNoFile) return;
    const bool requestedNow = action.testAndClearChanged();
    const int requested = action.value();
    bool stopNow = false;
    if (requestedNow) {
        if (requested == kStop)
            stopNow = recorderState.value() != kIdle;
        else
            startAction(requested, soundInIsPlaying);
    }
    if (requested != kStop) {
        switch (recorderState.value()) {
            case kWaiting:
                if (!soundInIsPlaying) break;
                recorderState.setValue(kRecording);
                [[fallthrough]];
            case kRecording:
                stopNow = recordBlock(soundInIsPlaying);
                break;
            case kPlaying:
                stopNow = playBackBlock();
                sendingPlayback_ = true;
                break;
            default:
                break;
        }
    }
    updateTimes();
    if (stopNow) stop();
}

void VTSoundOut::startAction(int requested, bool soundInIsPlaying) {
    if (requested != kPlayBack && requested != kRecord) return;
    // A take cut short by another request keeps what it has staged, and the file on disk is
    // complete.
    if (recorderState.value() == kRecording) {
        writeStaged();
        writer_->updateHeader();
    }
    if (requested == kPlayBack)
        startPlayback();
    else
        startRecording(soundInIsPlaying);
}

void VTSoundOut::startPlayback() {
    recorderState.setValue(kPlaying);
    writer_->seekFrame(0);
    heldFrames_ = writer_->readFrames(staging_.data(), kStagingFrames);
    stagedSamples_ = 0;
}

void VTSoundOut::startRecording(bool soundInIsPlaying) {
    if (fileMode.value() == kOverwrite)
        writer_->clear();
    else
        writer_->seekFrame(writer_->length());
    stagedSamples_ = 0;
    takeFrames_ = 0;
    bool wait = punchMode.value() == kSoundInSync && !soundInIsPlaying;
    recorderState.setValue(wait ? kWaiting : kRecording);
}

// Stages one block of the inlets; gives whether the take ends with this block.
bool VTSoundOut::recordBlock(bool soundInIsPlaying) {
    const float* left = inletSignal(0).samples();
    const float* right = inletSignal(1).samples();
    std::int16_t* out = staging_.data() + stagedSamples_;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        out[2 * i] = VTSampleConversion::floatToSample16(left[i]);
        out[2 * i + 1] = VTSampleConversion::floatToSample16(right[i]);
    }
    stagedSamples_ += 2 * SGBlockSize;
    takeFrames_ += SGBlockSize;
    if (stagedSamples_ == staging_.size()) writeStaged();
    switch (punchMode.value()) {
        case kSoundInSync:
            return !soundInIsPlaying;
        case kTimed:
            return takeFrames_ >=
                   std::uint64_t(kFileRate) * std::uint64_t(std::max(recordDuration.value(), 0));
        default:
            return false;
    }
}

// Plays one block from the staging buffer; gives whether the file has been played to its end.
bool VTSoundOut::playBackBlock() {
    const std::int16_t* in = staging_.data() + stagedSamples_;
    float* left = playLeft_.samples();
    float* right = playRight_.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        left[i] = VTSampleConversion::sample16ToFloat(in[2 * i]);
        right[i] = VTSampleConversion::sample16ToFloat(in[2 * i + 1]);
    }
    stagedSamples_ += 2 * SGBlockSize;
    bool allPlayed = stagedSamples_ >= 2 * heldFrames_;
    if (allPlayed && writer_->position() == writer_->length()) return true;
    if (stagedSamples_ == staging_.size()) {
        heldFrames_ = writer_->readFrames(staging_.data(), kStagingFrames);
        stagedSamples_ = 0;
    }
    return false;
}

void VTSoundOut::writeStaged() {
    if (writer_ && stagedSamples_ > 0) writer_->writeFrames(staging_.data(), stagedSamples_ / 2);
    stagedSamples_ = 0;
}

void VTSoundOut::updateTimes() {
    playPosition.setValue(writer_->position() / double(kFileRate) * 1000.0);
    fileDuration.setValue(writer_->length() / double(kFileRate) * 1000.0);
}

// The end of a take or of playback, at the end of a block: the file on disk is complete.
void VTSoundOut::stop() {
    if (recorderState.value() != kPlaying) {
        writeStaged();
        writer_->updateHeader();
    }
    // Not a request: the editor must not see it as one.
    action.setValue(kStop);
    action.clearChanged();
    recorderState.setValue(kIdle);
    updateTimes();
}
