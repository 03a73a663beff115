#include "library/granulators/VTBubbleBlower.h"

#include <algorithm>
#include <cmath>

#include "library/granulators/VTGrainPanCurve.h"
#include "library/granulators/VTGrainQuantizer.h"
#include "wave/SharedSoundFilePaths.h"
#include "params/SGPropertyUnits.h"

namespace {

constexpr double kSR = SGSampleRate;
constexpr double kMinDensity = 0.1;
constexpr double kMaxDensity = 2000.0;

double mean(const SGNoise& g) { return g.offset + 0.5 * g.scale; }

// Density as the stream uses it: within its range, so that the onset arithmetic stays finite
// and the stream always moves on.
double usableDensity(double d) {
    if (!(d >= kMinDensity)) return kMinDensity;
    return d > kMaxDensity ? kMaxDensity : d;
}

}  // namespace

VTBubbleBlower::VTBubbleBlower() : SGSignalProcessor(0, 2) {
    for (SGNoise* g : {&gen_.amplitude, &gen_.pan, &gen_.pitch, &gen_.inskip, &gen_.onset,
                       &gen_.duration, &gen_.attDec, &gen_.skew})
        g->seedFromClock();
    // Onset draws lie strictly between 0 and 1, so their logarithm is finite.
    gen_.onset.offset = 9.999999747378752e-06;
    gen_.onset.scale = 0.9999900000002526;
    (void)VTGrainPanCurve();
}

SGPropertyTable& VTBubbleBlower::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* none = SGAbstractUnits::instance();
        const SGPropertyUnits* ms = SGTimeMillisecondsUnits::instance();
        add(table_, file, "File", none, 0.0, 0.0);
        add(table_, amplitude, "Amplitude", SGVolumeUnits::instance(), 0.0, 1.0);
        add(table_, panning, "Panning", SGPanningUnits::instance(), 0.0, 1.0);
        add(table_, inskip, "Inskip", ms, 0.0, 15000.0);
        add(table_, pitchScaler, "PitchScaler", SGTranspositionUnits::instance(), 0.25, 4.0);
        add(table_, density, "Density", none, 0.1, 2000.0);
        add(table_, quantizeAmount, "QuantizeAmount", SGFractionUnits::instance(), 0.0, 1.0);
        add(table_, quantizeClocks, "QuantizeClocks", none, 0.0, 0.0);
        add(table_, grainDuration, "GrainDuration", ms, 5.0, 500.0);
        add(table_, attDecRatio, "AttDecRatio", none, 0.0, 0.9);
        add(table_, grainSkew, "GrainSkew", none, 0.05, 0.95);
        add(table_, maxGrains, "MaxGrains", none, 1.0, 20.0);
    });
    return table_.bind(info);
}

void VTBubbleBlower::loadFile() {
    // Grains hold pointers into the sample: they go before it is replaced.
    voices_.releaseAll();
    nextOnset_ = 0;
    playable_ = 0;
    if (!sample_.load(resolveSharedSoundFileName(file.text()))) return;
    const auto frames = static_cast<std::int32_t>(sample_.frames());
    playable_ = frames > 2 ? frames - 2 : 0;
}

float VTBubbleBlower::normalisation() const {
    const double meanAttDec = mean(gen_.attDec);
    const double meanDur = mean(gen_.duration) * 0.001;
    const double overlap = usableDensity(density.value()) * meanDur;
    const double factor = overlap < 1.0 ? 1.0 : 1.0 / std::sqrt(overlap);
    return static_cast<float>(factor * (2.0 - meanAttDec));
}

void VTBubbleBlower::takeRangeChanges() {
    auto take = [](SGRangeProperty& p, SGNoise& g) {
        if (!p.testAndClearChanged()) return;
        const SGFloatRange r = p.value();
        g.setRange(r.low, r.high);
    };
    take(amplitude, gen_.amplitude);
    take(panning, gen_.pan);
    take(pitchScaler, gen_.pitch);
    take(inskip, gen_.inskip);
    take(grainDuration, gen_.duration);
    take(attDecRatio, gen_.attDec);
    take(grainSkew, gen_.skew);
}

bool VTBubbleBlower::renderGrain(VTBubbleGrain& g) {
    return g.render(scratchL_, scratchR_, outletSignal(0), outletSignal(1));
}

void VTBubbleBlower::startGrain(std::uint32_t w, float norm) {
    VTBubbleGrain* g = voices_.allocate();
    if (g == nullptr) return;
    const double pan = gen_.pan.next();
    const double skew = gen_.skew.next();
    const double attDec = gen_.attDec.next();
    const double amp = gen_.amplitude.next();
    const double durationMs = gen_.duration.next();
    const double pitch = gen_.pitch.next();
    const double inskipMs = gen_.inskip.next();

    const double rateFactor = sample_.rateFactor();
    g->data = sample_.data();
    g->frames = playable_;
    g->stereo = sample_.isStereo();
    g->rate = static_cast<float>(pitch) * rateFactor;
    g->position = rateFactor * static_cast<float>(inskipMs * 0.001 * kSR);
    g->onset = static_cast<std::int32_t>(w);
    const auto D = static_cast<float>(durationMs * 0.001 * kSR);
    g->setEnvelope(D, attDec, skew);

    const SGTableFunction& curve = VTGrainPanCurve();
    const auto n = static_cast<float>(amp * norm);
    g->leftGain = curve.lookup(pan) * n * 0.5f;
    g->rightGain = n * 0.5f * curve.lookup(1.0 - pan);

    const float u = 3.1415925f / static_cast<float>(g->attack);
    g->sinU = static_cast<float>(std::sin(static_cast<double>(u)));
    g->cosU = static_cast<float>(std::cos(static_cast<double>(u)));
    g->x = 0.0f;
    g->y = -1.0f;
    g->state = VTBubbleGrain::Attack;
    if (!renderGrain(*g)) voices_.release();
}

void VTBubbleBlower::scheduleGrains() {
    const float norm = normalisation();
    VTGrainQuantizer quantizer;
    quantizer.setUp(context(), quantizeAmount.value(), quantizeClocks.value());
    const double dens = usableDensity(density.value());
    const double longest = std::trunc(2.0 / dens * kSR);
    if (nextOnset_ > longest) nextOnset_ = static_cast<std::uint32_t>(longest);
    const std::int32_t limit = std::clamp(maxGrains.value(), 1, kGrainCount);
    while (nextOnset_ < SGBlockSize) {
        if (voices_.activeCount() < limit) startGrain(quantizer.pull(nextOnset_), norm);
        const double next = std::trunc(-std::log(gen_.onset.next()) / dens * kSR + nextOnset_);
        // The longest gap the onset generator can give is well inside the 32-bit range.
        nextOnset_ = static_cast<std::uint32_t>(next);
    }
    nextOnset_ -= SGBlockSize;
}

void VTBubbleBlower::process() {
    if (file.testAndClearChanged()) loadFile();
    takeRangeChanges();
    outletSignal(0).fill(0.0f);
    outletSignal(1).fill(0.0f);
    voices_.forEachActive([this](VTBubbleGrain& g) { return renderGrain(g); });
    scheduleGrains();
}
