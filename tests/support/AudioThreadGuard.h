#pragma once

// Watches what the current thread does while audio blocks run: every allocation, every free and
// every mutex lock made on this thread between construction and destruction is counted.
//
//   {
//       AudioThreadGuard guard;
//       context.processBlock();
//       EXPECT_EQ(guard.allocations(), 0);
//       EXPECT_EQ(guard.locks(), 1);      // the context's own lock
//   }
//
// Other threads are not counted, so a test may prepare data on the side while the guard is armed.
namespace vantrel::test {

class AudioThreadGuard {
public:
    AudioThreadGuard();
    ~AudioThreadGuard();
    AudioThreadGuard(const AudioThreadGuard&) = delete;
    AudioThreadGuard& operator=(const AudioThreadGuard&) = delete;

    long allocations() const;
    long frees() const;
    long locks() const;

    // True when lock counting works in this build (the lock hook cannot see every lock under
    // every sanitizer runtime, so tests that count locks ask first).
    static bool countsLocks();

private:
    long startAllocations_;
    long startFrees_;
    long startLocks_;
};

}  // namespace vantrel::test

// Expands to the usual assertion: the statement allocates and frees nothing on this thread.
#define EXPECT_NO_AUDIO_ALLOCATION(statement)                                   \
    do {                                                                        \
        ::vantrel::test::AudioThreadGuard vantrelGuard_;                        \
        statement;                                                              \
        EXPECT_EQ(vantrelGuard_.allocations(), 0) << "allocated: " #statement;  \
        EXPECT_EQ(vantrelGuard_.frees(), 0) << "freed: " #statement;            \
    } while (0)
