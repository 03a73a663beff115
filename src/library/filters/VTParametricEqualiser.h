#pragma once

#include <array>

#include "library/filters/VTEqualiserSections.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"

// The four-band equaliser shared by the mono and the stereo contraption: a high shelf, a low
// shelf and two peaking bands, run in that order on every channel with the same settings.
class VTParametricEqualiser : public SGSignalProcessor {
public:
    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty hsCutoffFrequency{10000.0};
    SGDoubleProperty hsGain{0.0};  // dB
    SGDoubleProperty bp1CenterFrequency{1000.0};
    SGDoubleProperty bp1Bandwidth{20.0};  // Hz
    SGDoubleProperty bp1Gain{0.0};
    SGDoubleProperty bp2CenterFrequency{500.0};
    SGDoubleProperty bp2Bandwidth{20.0};
    SGDoubleProperty bp2Gain{0.0};
    SGDoubleProperty lsCutoffFrequency{100.0};
    SGDoubleProperty lsGain{0.0};

    // Coefficients, visible to tests.
    const VTShelfSection& highShelf() const { return highShelf_; }
    const VTShelfSection& lowShelf() const { return lowShelf_; }
    const VTPeakSection& band1() const { return band1_; }
    const VTPeakSection& band2() const { return band2_; }
    SGNoise& dither() { return dither_; }

protected:
    // One inlet and one outlet per channel (1 or 2).
    explicit VTParametricEqualiser(int channels);

private:
    struct Channel {
        SGDCBlocker dcBlocker;
        VTBiquadState highShelf, lowShelf, band1, band2;
    };

    void updateCoefficients();

    SGStaticPropertyTable table_;
    VTShelfSection highShelf_;
    VTShelfSection lowShelf_;
    VTPeakSection band1_;
    VTPeakSection band2_;
    std::array<Channel, 2> channels_{};
    SGNoise dither_;
};
