#pragma once

#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGDelayLine.h"
#include "dsp/SGFunctionTable.h"
#include "dsp/SGTableFunction.h"
#include "dsp/SGTrigSplinePath.h"
#include "dsp/SGVInterp.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGGainSmoother.h"

// A moving-source spatialiser: the mono input travels round a closed path in the square
// -1 ... 1, heard from two speakers on its bottom edge. The distance sets a gliding delay (the
// Doppler shift) and an attenuation, the lateral position the pan, and the height a reverb
// send. One inlet; outlets 0 left, 1 right, 2 reverb send.
class VTSSpat : public SGSignalProcessor {
public:
    static constexpr const char* kDefaultPath = "0,0.5, -0.5,-0.2, 0.5,-0.2";

    VTSSpat();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGCStringProperty pathSegments{kDefaultPath};
    SGDoubleProperty pathOriginX{0.0};
    SGDoubleProperty pathOriginY{0.0};
    SGDoubleProperty pathRotation{0.0};
    SGDoubleProperty pathScale{1.0};
    SGDoubleProperty trajectoryRate{0.5};
    SGDoubleProperty spaceScale{1.0};
    SGDoubleProperty dopplerAmount{1.0};
    SGDoubleProperty amplitudeAmount{1.0};
    SGDoubleProperty speakerSeparation{1.0};
    SGDoubleProperty reverbAmount{1.0};

    // Running state, visible to tests.
    const SGTrigSplinePath& path() const { return path_; }
    float phase() const { return phase_; }
    float phaseIncrement() const { return increment_; }
    const SGGainSmoother& distance() const { return smoother_; }
    const SGVInterp& directDelay() const { return directDelay_; }
    const SGVInterp& leftGain() const { return leftGain_; }
    const SGVInterp& rightGain() const { return rightGain_; }
    // Where the source was heard in the last block.
    float sourceX() const { return x_; }
    float sourceY() const { return y_; }
    const SGDelayLine& line() const { return line_; }

private:
    void setRate();
    void readTap(SGVInterp& tap, float r, float k, SGSignal& out);

    SGStaticPropertyTable table_;
    SGTrigSplinePath path_{2048};
    float start_ = 0.0f;
    float length_ = 1.0f;
    float phase_ = 0.0f;
    float increment_ = 0.01f;
    SGDelayLine line_{1.0};
    SGVInterp directDelay_;
    SGVInterp reverbDelay_;
    SGFunctionTable panTable_{1024};
    SGTableFunction pan_{panTable_, 0.0, 1.0};
    SGVInterp leftGain_;
    SGVInterp rightGain_;
    SGGainSmoother smoother_{5.0};
    float x_ = 0.0f;
    float y_ = 0.0f;
};

// "SSpat" in "Effects", help topic 1020, numbered instances.
class VTSSpatMaker : public VTContraptionMakerTemplate<VTSSpat> {
public:
    VTSSpatMaker()
        : VTContraptionMakerTemplate("SSpat", "Effects", 1020, Naming::Numbered, Editor::Present) {}
};
