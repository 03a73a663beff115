#include "library/effects/VTSSpat.h"

#include <cmath>

#include "params/SGPropertyUnits.h"

namespace {

constexpr double kBlockRate = SGSampleRate / SGBlockSize;
// Farther than any place the path can take the source in a sensible space: a source thrown far
// out by a degenerate geometry comes back within a few blocks instead of holding the smoother.
constexpr float kFarthest = 10000.0f;

}  // namespace

VTSSpat::VTSSpat() : SGSignalProcessor(1, 3) {
    panTable_.fillPanCurve();
    smoother_.sampleRate = static_cast<float>(kBlockRate);
    smoother_.setPole(SGGainSmoother::poleForCutoff(5.0, smoother_.sampleRate));
    smoother_.current = 1.0f;
    smoother_.target = 1.0f;
    path_.parse(kDefaultPath);
}

SGPropertyTable& VTSSpat::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* none = SGAbstractUnits::instance();
        add(table_, pathSegments, "PathSegments", none, 0.0, 0.0);
        add(table_, pathOriginX, "PathOriginX", none, 0.0, 0.0);
        add(table_, pathOriginY, "PathOriginY", none, 0.0, 0.0);
        add(table_, pathRotation, "PathRotation", none, 0.0, 0.0);
        add(table_, pathScale, "PathScale", none, 0.0, 0.0);
        add(table_, trajectoryRate, "TrajectoryRate", none, -3.0, 3.0);
        add(table_, spaceScale, "SpaceScale", none, 1.0, 20.0);
        add(table_, dopplerAmount, "DopplerAmount", none, 0.0, 2.0);
        add(table_, amplitudeAmount, "AmplitudeAmount", none, 0.0, 1.0);
        add(table_, speakerSeparation, "SpeakerSeparation", none, 1.0, 10.0);
        add(table_, reverbAmount, "ReverbAmount", none, 0.5, 2.0);
    });
    return table_.bind(info);
}

void VTSSpat::setRate() {
    const double n = path_.controlPointCount();
    const double rate = trajectoryRate.value();
    const auto c = static_cast<float>(rate / n);
    float inc = static_cast<float>(c / kBlockRate);
    // More than a whole trip per block means nothing; backwards as forwards.
    if (inc > 0.99f) inc = 0.99f;
    if (inc < -0.99f) inc = -0.99f;
    increment_ = inc;
    const double w = 2.0 * 3.1415926 * (5.0 * n * rate) / kBlockRate;
    const double c2 = 2.0 - std::cos(w);
    smoother_.setPole(static_cast<float>(c2 - std::sqrt(c2 * c2 - 1.0)));
}

void VTSSpat::readTap(SGVInterp& tap, float r, float k, SGSignal& out) {
    const double e = r * k * 0.0029239766081871343;
    tap.setTarget(e, static_cast<std::int32_t>(SGBlockSize));
    const float f = 1.0f / static_cast<float>(SGSampleRate);
    float g = static_cast<float>(SGBlockSize) * f;
    float* o = out.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        const double d = tap.next();
        o[i] = line_.readAt(d + g);
        g = g - f;
    }
}

void VTSSpat::process() {
    if (trajectoryRate.testAndClearChanged()) setRate();
    if (pathSegments.testAndClearChanged()) {
        // A text that is not a path leaves the path the source is on.
        path_.parse(pathSegments.text());
        start_ = 0.0f;
        length_ = static_cast<float>(path_.controlPointCount());
        setRate();
    }
    path_.setOffset(static_cast<float>(pathOriginX.value()),
                    static_cast<float>(pathOriginY.value()));
    path_.setRotation(pathRotation.value());
    path_.setScale(pathScale.value());
    line_.write(inletSignal(0));

    const float pos = phase_ * length_ + start_;
    phase_ = phase_ + increment_;
    if (phase_ > 1.0f) phase_ = phase_ - 1.0f;
    if (phase_ < 0.0f) phase_ = phase_ + 1.0f;
    float x, y;
    path_.evaluate(pos, x, y);
    x_ = x;
    y_ = y;

    const float space = static_cast<float>(spaceScale.value());
    const float h = static_cast<float>(speakerSeparation.value()) * 0.5f;
    float p = h / (h + (y + 1.0f)) * x;
    // A source on the line through both speakers' mirror point has no lateral place; it is
    // heard straight ahead.
    if (!std::isfinite(p)) p = 0.0f;
    float r = std::sqrt((x - p) * (x - p) + (y + 1.0f) * (y + 1.0f)) * space;
    if (!(r <= kFarthest)) r = kFarthest;

    smoother_.target = r;
    smoother_.current = smoother_.inputGain * smoother_.target + smoother_.pole * smoother_.current;
    const float s = smoother_.current;

    SGSignal& send = outletSignal(2);
    readTap(reverbDelay_, 3.0f * space, 0.0f, send);
    const float l = (2.5f - (y + 1.0f)) * static_cast<float>(reverbAmount.value());
    send.scale(1.0f / (l * l + 1.0f));

    const float m = s * static_cast<float>(amplitudeAmount.value()) * 2.0f;
    const float a = 1.0f / (m * m + 1.0f);
    const float o = (p + 1.0f) * 0.5f;
    leftGain_.setTarget(pan_.lookup(o) * a, static_cast<std::int32_t>(SGBlockSize));
    rightGain_.setTarget(pan_.lookup(1.0f - o) * a, static_cast<std::int32_t>(SGBlockSize));

    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    readTap(directDelay_, s, static_cast<float>(dopplerAmount.value()) * 40.0f, left);
    float* lo = left.samples();
    float* ro = right.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        ro[i] = static_cast<float>(rightGain_.next() * lo[i]);
        lo[i] = static_cast<float>(leftGain_.next() * lo[i]);
    }
}
