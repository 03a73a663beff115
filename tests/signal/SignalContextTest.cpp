#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "signal/SGDynSigContext.h"
#include "support/AudioThreadGuard.h"
#include "support/TestProcessors.h"

using vantrel::test::AudioThreadGuard;
using vantrel::test::ConstantSource;
using vantrel::test::Sink;
using vantrel::test::Through;

namespace {

// The context owns what is left in it when it goes, so tests hand their pipes over with
// `new` and keep plain pointers.
struct Graph : ::testing::Test {
    SGDynSigContext ctx;

    template <typename P, typename... A>
    P* add(A&&... args) {
        auto* p = new P(std::forward<A>(args)...);
        p->setContext(&ctx);
        return p;
    }
    std::vector<SGDynSigPipe*> list() const { return ctx.updateList(); }
};

TEST_F(Graph, FreshPipeReadsTheZeroSignalOnEveryInlet) {
    auto* t = add<Through>(3, 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(&t->inletSignal(i), &SGZeroSignal);
}

TEST_F(Graph, OnlyPipesThatReachATerminalAreListedSourcesFirst) {
    auto* gen = add<ConstantSource>();
    EXPECT_TRUE(list().empty());
    auto* mixer = add<Through>();
    ASSERT_TRUE(ctx.connect(gen, 0, mixer, 0));
    EXPECT_TRUE(list().empty());
    ctx.processBlock();
    EXPECT_EQ(gen->calls, 0);

    auto* out = add<Sink>();
    EXPECT_EQ(list(), (std::vector<SGDynSigPipe*>{out}));
    ASSERT_TRUE(ctx.connect(mixer, 0, out, 0));
    EXPECT_EQ(list(), (std::vector<SGDynSigPipe*>{gen, mixer, out}));
    ctx.processBlock();
    EXPECT_EQ(gen->calls, 1);
    EXPECT_EQ(out->received[0][100], 1.0f);
}

TEST_F(Graph, WalkFollowsInletsInIndexOrderAndConnectionsInTheOrderMade) {
    auto* a = add<ConstantSource>(1.0f);
    auto* b = add<ConstantSource>(2.0f);
    auto* c = add<ConstantSource>(3.0f);
    auto* out = add<Sink>(2);
    ctx.connect(c, 0, out, 1);
    ctx.connect(b, 0, out, 0);
    ctx.connect(a, 0, out, 0);
    EXPECT_EQ(list(), (std::vector<SGDynSigPipe*>{b, a, c, out}));
}

TEST_F(Graph, SummingInletsAreAllocatedAndFreedWithTheirSecondConnection) {
    auto* a = add<ConstantSource>(1.0f);
    auto* b = add<ConstantSource>(2.0f);
    auto* out = add<Sink>();
    ctx.connect(a, 0, out, 0);
    EXPECT_EQ(&out->inletSignal(0), &a->outletSignal(0));  // one source: read directly
    EXPECT_TRUE(out->summingInlets().empty());

    ctx.connect(b, 0, out, 0);
    ASSERT_EQ(out->summingInlets().size(), 1u);
    EXPECT_NE(&out->inletSignal(0), &a->outletSignal(0));
    ctx.processBlock();
    EXPECT_EQ(out->received[0][7], 3.0f);

    ctx.disconnect(a, 0, out, 0);
    EXPECT_EQ(&out->inletSignal(0), &b->outletSignal(0));
    EXPECT_TRUE(out->summingInlets().empty());
    ctx.disconnect(b, 0, out, 0);
    EXPECT_EQ(&out->inletSignal(0), &SGZeroSignal);
}

TEST_F(Graph, TheSameConnectionTwiceCountsTwice) {
    auto* a = add<ConstantSource>(1.5f);
    auto* out = add<Sink>();
    ctx.connect(a, 0, out, 0);
    ctx.connect(a, 0, out, 0);
    ctx.processBlock();
    EXPECT_EQ(out->received[0][0], 3.0f);
    ctx.disconnect(a, 0, out, 0);
    ctx.processBlock();
    EXPECT_EQ(out->received[0][0], 1.5f);
}

TEST_F(Graph, IndexChecksRefuseWithoutChange) {
    auto* a = add<ConstantSource>();
    auto* out = add<Sink>();
    int stamp = ctx.currentStamp();
    for (auto [o, i] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        EXPECT_FALSE(ctx.connect(a, o, out, i)) << o << "," << i;
        EXPECT_FALSE(ctx.disconnect(a, o, out, i)) << o << "," << i;
    }
    EXPECT_TRUE(a->outlet(0).refs.empty());
    EXPECT_TRUE(out->inlet(0).refs.empty());
    EXPECT_EQ(ctx.currentStamp(), stamp);
    // A connection that does not exist still disconnects "successfully".
    EXPECT_TRUE(ctx.disconnect(a, 0, out, 0));
}

TEST_F(Graph, SelfConnectionGetsOneLimiterAndReadsThePreviousBlockLimited) {
    auto* src = add<ConstantSource>(0.25f);
    auto* loop = add<Through>(2, 1);  // inlet 0: itself, inlet 1: the source
    auto* out = add<Sink>();
    ctx.connect(loop, 0, out, 0);
    ctx.connect(src, 0, loop, 1);
    ctx.connect(loop, 0, loop, 0);
    ASSERT_EQ(ctx.limiters().size(), 1u);
    EXPECT_EQ(ctx.limiters()[0]->pipe, loop);
    EXPECT_EQ(ctx.limiters()[0]->outlet, 0);
    // Rebuilding again keeps the same limiter (and its running state).
    const SGOutletLimiter* first = ctx.limiters()[0].get();
    ctx.rebuildUpdateList();
    ASSERT_EQ(ctx.limiters().size(), 1u);
    EXPECT_EQ(ctx.limiters()[0].get(), first);

    ctx.processBlock();
    EXPECT_EQ(loop->lastInput, 0.0f);  // nothing came round yet
    float previous = loop->outletSignal(0)[0];  // the block as limited after the first call
    ctx.processBlock();
    EXPECT_EQ(loop->lastInput, previous);

    ctx.disconnect(loop, 0, loop, 0);
    ctx.rebuildUpdateList();
    EXPECT_TRUE(ctx.limiters().empty());
}

TEST_F(Graph, FeedbackLoopStaysBounded) {
    auto* src = add<ConstantSource>(0.5f);
    auto* loop = add<Through>(2, 1, 3.0f);  // gain 3 round the loop would blow up unlimited
    auto* out = add<Sink>();
    ctx.connect(src, 0, loop, 0);
    ctx.connect(loop, 0, loop, 0);
    ctx.connect(loop, 0, out, 0);
    for (int b = 0; b < 400; ++b) {
        ctx.processBlock();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_LE(std::fabs(loop->outletSignal(0)[i]), 2.0f);
    }
}

TEST(OutletLimiter, ConstantFourIsClippedThenHeldAtOneThenReleased) {
    SGOutletLimiter lim(nullptr, 0);
    std::vector<float> out;
    SGSignal block;
    auto run = [&](float x, int blocks) {
        for (int b = 0; b < blocks; ++b) {
            block.fill(x);
            lim.limit(block);
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) out.push_back(block[i]);
        }
    };
    run(4.0f, 20);
    EXPECT_EQ(out[0], 2.0f);
    for (float y : out) ASSERT_LE(std::fabs(y), 2.0f);
    EXPECT_NEAR(out[2205], 1.0f, 0.01f);
    for (std::size_t i = 2300; i < out.size(); ++i) ASSERT_NEAR(out[i], 1.0f, 0.01f) << i;

    std::size_t drop = out.size();
    run(0.5f, 30);
    // The running stage ends, then a 2205-sample release brings the gain back to 1.
    EXPECT_LT(out[drop + 100], 0.5f);
    EXPECT_NEAR(out.back(), 0.5f, 1e-4f);
    std::size_t settled = drop;
    while (settled < out.size() && std::fabs(out[settled] - 0.5f) > 1e-4f) ++settled;
    EXPECT_LE(settled - drop, 2u * 2205u + 10u);
    EXPECT_GE(settled - drop, 2205u);
}

TEST_F(Graph, ClockAdvancesOnlyWhileRunning) {
    add<Sink>();
    for (int b = 0; b < 100; ++b) ctx.processBlock();
    EXPECT_EQ(ctx.clockPosition(), 0.0);
    ctx.startClock();
    EXPECT_EQ(ctx.samplesPerTick(), 918.75);
    for (int b = 0; b < 100; ++b) ctx.processBlock();
    EXPECT_NEAR(ctx.clockPosition(), 25600.0 / 918.75, 1e-9);
    ctx.stopClock();
    ctx.processBlock();
    EXPECT_NEAR(ctx.clockPosition(), 25600.0 / 918.75, 1e-9);
}

TEST_F(Graph, RebuildsOnlyWhereTheOrderCanChange) {
    auto* a = add<ConstantSource>();
    auto* b = add<ConstantSource>();
    auto* t = add<Through>();
    auto* out = add<Sink>();
    int s = ctx.currentStamp();
    ctx.connect(a, 0, t, 0);  // t is not listed: no rebuild
    EXPECT_EQ(ctx.currentStamp(), s);
    ctx.connect(t, 0, out, 0);  // out is listed: rebuild
    EXPECT_EQ(ctx.currentStamp(), ++s);
    ctx.connect(b, 0, out, 0);
    EXPECT_EQ(ctx.currentStamp(), ++s);
    ctx.connect(t, 0, out, 0);
    EXPECT_EQ(ctx.currentStamp(), ++s);
    ctx.disconnect(t, 0, out, 0);  // t still feeds out: no rebuild
    EXPECT_EQ(ctx.currentStamp(), s);
    ctx.disconnect(t, 0, out, 0);  // t feeds nothing now
    EXPECT_EQ(ctx.currentStamp(), ++s);
    EXPECT_EQ(list(), (std::vector<SGDynSigPipe*>{b, out}));

    delete a;  // a non-terminal pipe never rebuilds
    EXPECT_EQ(ctx.currentStamp(), s);
    auto* out2 = add<Sink>();
    delete out2;  // a terminal pipe does
    EXPECT_EQ(ctx.currentStamp(), ++s);
}

TEST_F(Graph, SetContextWithThePresentContextChangesNothing) {
    auto* out = add<Sink>();
    auto* src = add<ConstantSource>();
    ctx.connect(src, 0, out, 0);
    auto before = ctx.allPipes();
    int stamp = ctx.currentStamp();
    out->setContext(&ctx);
    src->setContext(&ctx);
    EXPECT_EQ(ctx.allPipes(), before);
    EXPECT_EQ(ctx.currentStamp(), stamp);
    EXPECT_EQ(list().size(), 2u);
}

TEST_F(Graph, DestroyingAPipeRemovesBothRecordsOfEveryConnection) {
    auto* a = add<ConstantSource>();
    auto* t = add<Through>();
    auto* out = add<Sink>(2);
    ctx.connect(a, 0, t, 0);
    ctx.connect(t, 0, out, 0);
    ctx.connect(t, 0, out, 1);
    ctx.connect(a, 0, out, 1);
    delete t;
    EXPECT_EQ(a->outlet(0).refs.size(), 1u);
    EXPECT_EQ(&out->inletSignal(0), &SGZeroSignal);
    EXPECT_EQ(&out->inletSignal(1), &a->outletSignal(0));
    EXPECT_EQ(list(), (std::vector<SGDynSigPipe*>{a, out}));
    EXPECT_EQ(ctx.allPipes().size(), 2u);
}

TEST(SGDynSigPipe, OutsideAnyContextItIsFreedAlone) {
    auto p = std::make_unique<Through>();
    EXPECT_EQ(p->context(), nullptr);
    p.reset();  // nothing to touch; must simply not crash
}

TEST(SGDynSigContext, DestroysWhatIsLeftEvenWithConnectionsAndLoops) {
    auto ctx = std::make_unique<SGDynSigContext>();
    auto* a = new ConstantSource();
    auto* t = new Through(2, 1);
    auto* out = new Sink();
    for (SGDynSigPipe* p : std::initializer_list<SGDynSigPipe*>{out, a, t}) p->setContext(ctx.get());
    ctx->connect(a, 0, t, 0);
    ctx->connect(t, 0, t, 1);
    ctx->connect(t, 0, out, 0);
    ctx->processBlock();
    ctx.reset();  // the sanitizer build checks nothing is used after it is freed
}

TEST_F(Graph, ResetAllReachesEveryListedPipe) {
    auto* out = add<Sink>();
    auto* unlisted = add<Sink>();
    ctx.resetAll();
    EXPECT_EQ(out->resets, 1);
    EXPECT_EQ(unlisted->resets, 1);
}

TEST_F(Graph, ProcessBlockAllocatesNothingAndTakesOnlyTheContextLock) {
    auto* a = add<ConstantSource>(0.5f);
    auto* b = add<ConstantSource>(0.25f);
    auto* loop = add<Through>(2, 1);
    auto* out = add<Sink>();
    ctx.connect(a, 0, loop, 0);
    ctx.connect(b, 0, loop, 0);  // a summing inlet
    ctx.connect(loop, 0, loop, 1);  // and a limiter
    ctx.connect(loop, 0, out, 0);
    ctx.startClock();
    ctx.processBlock();  // first touch of every block outside the measurement
    const bool countsLocks = AudioThreadGuard::countsLocks();
    AudioThreadGuard guard;
    for (int i = 0; i < 50; ++i) ctx.processBlock();
    EXPECT_EQ(guard.allocations(), 0);
    EXPECT_EQ(guard.frees(), 0);
    if (countsLocks) {
        EXPECT_EQ(guard.locks(), 50);
    }
}

}  // namespace
