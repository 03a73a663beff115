#include <gtest/gtest.h>

#include "ProcessorFixtures.h"
#include "library/mixers/VTMonoBuss.h"
#include "library/mixers/VTStereoBuss.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

const int kSizes[] = {2, 3, 4, 6, 8, 12};

TEST(MonoBuss, OneConnectedInletComesOutExactlyAndNoneGivesSilence) {
    for (int n : kSizes) {
        for (int only = 0; only < n; ++only) {
            VTMonoBuss buss(n);
            SGSignal in = testBlock(only);
            plug(buss, only, in);
            scribble(buss);
            buss.process();
            EXPECT_EQ(samples(buss.outletSignal(0)), samples(in)) << n << " inlet " << only;
        }
        VTMonoBuss buss(n);
        scribble(buss);
        buss.process();
        EXPECT_EQ(samples(buss.outletSignal(0)), samples(SGZeroSignal)) << n;
    }
}

TEST(MonoBuss, SumsConnectedInletsInIndexOrder) {
    for (int n : kSizes) {
        VTMonoBuss buss(n);
        std::vector<SGSignal> ins;
        for (int i = 0; i < n; ++i) ins.push_back(testBlock(i));
        // Every other inlet, from the second on: the first connected one is assigned.
        SGSignal expected(0.0f);
        bool first = true;
        for (int i = 1; i < n; i += 2) {
            plug(buss, i, ins[i]);
            if (first)
                expected.assign(ins[i]);
            else
                expected.add(ins[i]);
            first = false;
        }
        scribble(buss);
        buss.process();
        EXPECT_EQ(samples(buss.outletSignal(0)), samples(expected)) << n;
    }
}

TEST(StereoBuss, EachPairPlaysLeftAndRightOrItsOneSideOnBoth) {
    struct Case {
        bool left, right;
    } cases[] = {{true, true}, {true, false}, {false, true}};
    for (int n : kSizes) {
        for (const Case& c : cases) {
            const int pair = n - 1;
            VTStereoBuss buss(n);
            SGSignal l = testBlock(1), r = testBlock(2);
            if (c.left) plug(buss, 2 * pair, l);
            if (c.right) plug(buss, 2 * pair + 1, r);
            scribble(buss);
            buss.process();
            const SGSignal& wantLeft = c.left ? l : r;
            const SGSignal& wantRight = c.right ? r : l;
            EXPECT_EQ(samples(buss.outletSignal(0)), samples(wantLeft)) << n;
            EXPECT_EQ(samples(buss.outletSignal(1)), samples(wantRight)) << n;
        }
        VTStereoBuss buss(n);
        scribble(buss);
        buss.process();
        EXPECT_EQ(samples(buss.outletSignal(0)), samples(SGZeroSignal)) << n;
        EXPECT_EQ(samples(buss.outletSignal(1)), samples(SGZeroSignal)) << n;
    }
}

TEST(StereoBuss, PairsAddUp) {
    VTStereoBuss buss(3);
    SGSignal a = testBlock(1), b = testBlock(2), c = testBlock(3);
    plug(buss, 1, a);  // pair 0, right only
    plug(buss, 4, b);  // pair 2, both sides
    plug(buss, 5, c);
    buss.process();
    EXPECT_EQ(samples(buss.outletSignal(0)), samples(SGSignal(a).add(b)));
    EXPECT_EQ(samples(buss.outletSignal(1)), samples(SGSignal(a).add(c)));
}

TEST(Busses, ProcessAllocatesNothing) {
    VTMonoBuss mono(12);
    VTStereoBuss stereo(12);
    SGSignal in = testBlock(0);
    for (int i = 0; i < 12; ++i) plug(mono, i, in);
    for (int i = 0; i < 24; ++i) plug(stereo, i, in);
    EXPECT_NO_AUDIO_ALLOCATION(mono.process(); stereo.process());
}

}  // namespace
