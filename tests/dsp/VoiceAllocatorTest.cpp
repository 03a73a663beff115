#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "dsp/SGVoiceAllocator.h"
#include "support/AudioThreadGuard.h"

namespace {

// A grain that sounds for a set number of blocks.
struct TestVoice {
    int id = 0;
    int blocksLeft = 0;
    int rendered = 0;
    bool render() {
        ++rendered;
        return --blocksLeft > 0;
    }
};

class SGVoiceAllocatorTest : public ::testing::Test {
protected:
    SGVoiceAllocatorTest() : voices(pool.data(), 20) {
        for (int k = 0; k < 20; ++k) pool[k].id = k;
    }
    std::vector<int> activeIds() const {
        std::vector<int> ids;
        for (std::int32_t k = 0; k < voices.activeCount(); ++k) ids.push_back(voices.active(k)->id);
        return ids;
    }
    std::array<TestVoice, 20> pool;
    SGVoiceAllocator<TestVoice> voices;
};

TEST_F(SGVoiceAllocatorTest, HandsOutTheVoicesInReverseArrayOrderAndThenNone) {
    EXPECT_EQ(voices.capacity(), 20);
    EXPECT_EQ(voices.activeCount(), 0);
    EXPECT_EQ(voices.freeCount(), 20);
    for (int k = 0; k < 20; ++k) {
        TestVoice* v = voices.allocate();
        ASSERT_EQ(v, &pool[19 - k]) << k;
        EXPECT_EQ(voices.cursor(), k);  // the new voice's place in the active list
        EXPECT_EQ(voices.atCursor(), v);
    }
    EXPECT_EQ(voices.activeCount(), 20);
    EXPECT_EQ(voices.freeCount(), 0);
    EXPECT_EQ(voices.allocate(), nullptr);
    EXPECT_EQ(voices.activeCount(), 20);
    EXPECT_EQ(voices.cursor(), 19);
}

TEST_F(SGVoiceAllocatorTest, ReleasingMovesTheLastActiveVoiceIntoTheFreedPlace) {
    voices.allocate();  // voice 19
    voices.allocate();  // voice 18
    voices.allocate();  // voice 17
    voices.startIteration();
    voices.release();  // voice 19, at cursor 0
    EXPECT_EQ(activeIds(), (std::vector<int>{17, 18}));
    EXPECT_EQ(voices.cursor(), -1);
    voices.advance();
    EXPECT_EQ(voices.atCursor(), &pool[17]);  // visited next
    // The freed voice is on top of the free stack and is the next one handed out.
    EXPECT_EQ(voices.freeVoice(voices.freeCount() - 1), &pool[19]);
    EXPECT_EQ(voices.allocate(), &pool[19]);
    EXPECT_EQ(activeIds(), (std::vector<int>{17, 18, 19}));
}

TEST_F(SGVoiceAllocatorTest, AnIterationVisitsEveryVoiceOnceAndReleasesTheFinished) {
    // Voices finishing in the same block, one after the other and the last of the list.
    const int lengths[] = {1, 3, 1, 1, 2, 5, 1};
    for (int length : lengths) voices.allocate()->blocksLeft = length;
    const std::vector<int> before = activeIds();
    EXPECT_EQ(before, (std::vector<int>{19, 18, 17, 16, 15, 14, 13}));

    voices.forEachActive([](TestVoice& v) { return v.render(); });
    for (int id : before) EXPECT_EQ(pool[id].rendered, 1) << id;
    // 19 leaves and 13 takes its place, is visited and leaves too; 14 moves in and stays; 17
    // leaves and 15 fills in; 16, last of the list, leaves without a replacement.
    EXPECT_EQ(activeIds(), (std::vector<int>{14, 18, 15}));
    EXPECT_EQ(voices.freeCount(), 17);

    int passes = 1;
    while (voices.activeCount() > 0) {
        voices.forEachActive([](TestVoice& v) { return v.render(); });
        ++passes;
    }
    EXPECT_EQ(passes, 5);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(pool[before[k]].rendered, lengths[k]) << before[k];
    EXPECT_EQ(voices.freeCount(), 20);
}

TEST_F(SGVoiceAllocatorTest, ANewVoiceRenderedAtOnceIsReleasedThroughTheCursor) {
    voices.allocate()->blocksLeft = 4;
    voices.allocate()->blocksLeft = 4;
    TestVoice* v = voices.allocate();
    v->blocksLeft = 1;
    if (!v->render()) voices.release();
    EXPECT_EQ(activeIds(), (std::vector<int>{19, 18}));
    EXPECT_EQ(voices.freeCount(), 18);
}

TEST_F(SGVoiceAllocatorTest, ReleaseWithoutAVoiceAtTheCursorChangesNothing) {
    voices.release();  // nothing active
    EXPECT_EQ(voices.freeCount(), 20);
    voices.allocate();
    voices.allocate();
    voices.startIteration();
    voices.release();
    voices.release();  // the cursor is at -1 now: no second release of the same place
    EXPECT_EQ(voices.activeCount(), 1);
    EXPECT_EQ(voices.freeCount(), 19);
    voices.advance();
    voices.advance();
    voices.release();  // past the end
    EXPECT_EQ(voices.activeCount(), 1);
}

TEST_F(SGVoiceAllocatorTest, ReleaseAllReturnsEveryVoiceToTheFreeStack) {
    for (int k = 0; k < 5; ++k) voices.allocate();
    voices.releaseAll();
    EXPECT_EQ(voices.activeCount(), 0);
    EXPECT_EQ(voices.freeCount(), 20);
    std::set<TestVoice*> free;
    for (std::int32_t k = 0; k < 20; ++k) free.insert(voices.freeVoice(k));
    EXPECT_EQ(free.size(), 20u);
    for (TestVoice& v : pool) EXPECT_EQ(free.count(&v), 1u);
    // The active list was unwound from its end, so its first voice is on top again.
    EXPECT_EQ(voices.allocate(), &pool[19]);
    voices.releaseAll();
    voices.releaseAll();
    EXPECT_EQ(voices.freeCount(), 20);
}

TEST_F(SGVoiceAllocatorTest, AllocatingAndReleasingAllocateNothing) {
    EXPECT_NO_AUDIO_ALLOCATION({
        for (int block = 0; block < 200; ++block) {
            while (voices.activeCount() < 20) voices.allocate()->blocksLeft = 1 + block % 7;
            voices.forEachActive([](TestVoice& v) { return v.render(); });
            if (block % 50 == 0) voices.releaseAll();
        }
    });
}

TEST(SGVoiceAllocator, AnEmptyPoolGivesNoVoice) {
    SGVoiceAllocator<TestVoice> none(nullptr, 0);
    EXPECT_EQ(none.allocate(), nullptr);
    none.releaseAll();
    none.forEachActive([](TestVoice&) { return false; });
    EXPECT_EQ(none.activeCount(), 0);
}

}  // namespace
