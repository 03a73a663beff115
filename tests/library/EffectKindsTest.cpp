#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/effects/VTCmixReverb.h"
#include "library/effects/VTFlanger.h"
#include "library/effects/VTPhaser.h"
#include "library/effects/VTSDelay.h"
#include "library/filters/VT5Combs.h"
#include "library/filters/VTMonoParametric.h"
#include "library/filters/VTStereoParametric.h"
#include "makers/VTMakerTable.h"

namespace {

template <class Processor>
bool builds(VTContraption& c) {
    return dynamic_cast<Processor*>(&c.processor()) != nullptr;
}

TEST(EffectKinds, EachMakerBuildsItsProcessorWithItsInletsAndOutlets) {
    registerAllMakers();
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    struct Row {
        const char* maker;
        bool (*isRight)(VTContraption&);
        int inlets, outlets;
    } rows[] = {
        {"NastyReverb", builds<VTCmixReverb>, 1, 2},
        {"Flanger", builds<VTFlanger>, 1, 1},
        {"Phaser", builds<VTPhaser>, 1, 1},
        {"MParaEQ", builds<VTMonoParametric>, 1, 1},
        {"SParaEQ", builds<VTStereoParametric>, 2, 2},
        {"5Combs", builds<VT5Combs>, 1, 1},
        {"SDelay", builds<VTSDelay>, 2, 2},
    };
    for (const Row& row : rows) {
        auto c = factory.createContraption(row.maker, {});
        ASSERT_NE(c, nullptr) << row.maker;
        EXPECT_TRUE(row.isRight(*c)) << row.maker;
        EXPECT_EQ(c->name(), std::string(row.maker) + "_1");
        EXPECT_EQ(c->inletCount(), row.inlets) << row.maker;
        EXPECT_EQ(c->outletCount(), row.outlets) << row.maker;
    }
}

}  // namespace
