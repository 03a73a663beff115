#include <gtest/gtest.h>

#include <vector>

#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"

namespace {

// The block form must give exactly what one tick after another gives, wrap-arounds included,
// and leave the phase where the ticks leave it.
TEST(OscillatorBlock, GivesExactlyTheValuesOfSingleTicks) {
    SGFunctionTable table(1024);
    table.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f);
    table.addHarmonic(3.0f, 0.3f, 10.0f, 0.0f);
    struct Case {
        double increment;
        std::uint32_t count;
    } cases[] = {{1.0, 256},  {10.24, 300}, {0.3713, 17}, {1023.9, 600},
                 {1024.0, 5}, {3000.5, 40}, {0.0, 3}};
    for (const Case& c : cases) {
        SGOscillator single(table), block(table);
        single.setIncrement(c.increment);
        block.setIncrement(c.increment);
        single.setPhase(0.37);
        block.setPhase(0.37);
        std::vector<float> expected(c.count), got(c.count);
        for (float& v : expected) v = single.tick();
        block.tickBlock(got.data(), c.count);
        for (std::uint32_t i = 0; i < c.count; ++i)
            ASSERT_EQ(got[i], expected[i]) << c.increment << " at " << i;
        EXPECT_EQ(block.phase(), single.phase()) << c.increment;
    }
}

}  // namespace
