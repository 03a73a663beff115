#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "control/VTMidiControlClient.h"
#include "control/VTMidiControlServer.h"
#include "control/VTMidiLearnTarget.h"
#include "support/AudioThreadGuard.h"

namespace {

// A client that writes down what it receives; the shared log shows the order of delivery.
struct Probe : VTMidiControlClient {
    Probe(VTMidiControlServer& s, std::vector<int>* order = nullptr, int id = 0)
        : VTMidiControlClient(s), order(order), id(id) {}
    void receive(int value) override {
        values.push_back(value);
        if (order) order->push_back(id);
    }
    std::vector<int> values;
    std::vector<int>* order;
    int id;
};

struct Learner : VTMidiLearnTarget {
    void midiControllerLearned(int key) override { keys.push_back(key); }
    std::vector<int> keys;
};

constexpr int B0 = 0xB0, F0 = 0xF0, C0 = 0xC0, D0 = 0xD0, E0 = 0xE0;

struct Server : ::testing::Test {
    VTMidiControlServer server;
    std::unique_ptr<Probe> probe(int type, int channel, int number) {
        auto p = std::make_unique<Probe>(server);
        EXPECT_TRUE(p->setSource(type, channel, number));
        return p;
    }
};

}  // namespace

TEST(ControlKey, IsTypeOrChannelTimes256PlusNumber) {
    EXPECT_EQ(VTMidiControlServer::controlKey(B0, 0, 7), 0xB007);
    EXPECT_EQ(VTMidiControlServer::controlKey(F0, 3, 10), 0xF30A);
    EXPECT_EQ(VTMidiControlServer::controlKey(E0, 2, 0), 0xE200);
}

// Every source type: the message sent, the source listened to, the value that arrives.
TEST_F(Server, EachSourceTypeGetsItsFourteenBitValue) {
    struct Case {
        const char* what;
        std::uint8_t status, d1, d2;
        int type, channel, number;
        int expected;
    };
    const Case cases[] = {
        {"7-bit CC 7 on channel 1", 0xB0, 7, 100, B0, 0, 7, 12800},
        {"7-bit CC 97, the highest", 0xB5, 97, 127, B0, 5, 97, 16256},
        {"14-bit pair, coarse only", 0xB0, 7, 100, F0, 0, 7, 12800},
        {"program change 4 on channel 10", 0xC9, 4, 0, C0, 9, 0, 512},
        {"channel pressure 127", 0xD1, 127, 0, D0, 1, 0, 16256},
        {"pitch bend centre on channel 3", 0xE2, 0, 64, E0, 2, 0, 8192},
        {"pitch bend top", 0xEF, 127, 127, E0, 15, 0, 16383},
        {"pitch bend bottom", 0xE0, 0, 0, E0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VTMidiControlServer fresh;
        Probe p(fresh);
        ASSERT_TRUE(p.setSource(c.type, c.channel, c.number));
        fresh.dispatch(c.status, c.d1, c.d2);
        EXPECT_EQ(p.values, std::vector<int>{c.expected});
    }
}

TEST_F(Server, FourteenBitPairCombinesCoarseAndFineFromEitherController) {
    auto fine = probe(F0, 0, 7);
    auto coarse7 = probe(B0, 0, 7);
    auto fine7 = probe(B0, 0, 39);
    server.dispatch(0xB0, 7, 100);
    server.dispatch(0xB0, 39, 5);
    EXPECT_EQ(fine->values, (std::vector<int>{12800, 12805}));
    EXPECT_EQ(coarse7->values, std::vector<int>{12800});
    EXPECT_EQ(fine7->values, std::vector<int>{640});
    // A new coarse value keeps the last fine one.
    server.dispatch(0xB0, 7, 1);
    EXPECT_EQ(fine->values.back(), 133);
    EXPECT_EQ(server.controllerValue(0, 39), 5);
    // Pairs are kept per channel.
    auto other = probe(F0, 1, 7);
    server.dispatch(0xB1, 7, 100);
    EXPECT_EQ(other->values, std::vector<int>{12800});
}

TEST_F(Server, ControllersAbove97AndNonControllerMessagesReachNoOne) {
    auto p7 = probe(B0, 0, 7);
    auto pressure = probe(D0, 0, 0);
    server.dispatch(0x90, 7, 100);  // note on
    server.dispatch(0x80, 7, 0);    // note off
    server.dispatch(0xA0, 7, 55);   // polyphonic pressure
    server.dispatch(0xB0, 98, 1);
    server.dispatch(0xB0, 127, 1);
    server.dispatch(0xF8, 0, 0);
    EXPECT_TRUE(p7->values.empty());
    EXPECT_TRUE(pressure->values.empty());
}

TEST_F(Server, EveryClientOfAKeyReceivesInTheOrderAdded) {
    std::vector<int> order;
    Probe a(server, &order, 1), b(server, &order, 2), c(server, &order, 3);
    b.setSource(B0, 0, 7);
    a.setSource(B0, 0, 7);
    c.setSource(B0, 0, 7);
    Probe elsewhere(server, &order, 9);
    elsewhere.setSource(B0, 0, 8);
    server.dispatch(0xB0, 7, 1);
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(server.clientCount(0xB007), 3);
    // Re-adding moves a client to the end.
    b.setSource(B0, 0, 7);
    order.clear();
    server.dispatch(0xB0, 7, 1);
    EXPECT_EQ(order, (std::vector<int>{1, 3, 2}));
}

TEST_F(Server, DisabledClientIsSkippedAndResumesWhenEnabled) {
    auto a = probe(B0, 0, 7);
    auto b = probe(B0, 0, 7);
    EXPECT_TRUE(a->enabled());
    a->setEnabled(false);
    server.dispatch(0xB0, 7, 1);
    EXPECT_TRUE(a->values.empty());
    EXPECT_EQ(b->values.size(), 1u);
    a->setEnabled(true);
    server.dispatch(0xB0, 7, 2);
    EXPECT_EQ(a->values, std::vector<int>{256});
}

TEST_F(Server, RegistrationFollowsTheSource) {
    auto p = probe(B0, 0, 7);
    EXPECT_EQ(p->controlKey(), 0xB007);
    ASSERT_TRUE(p->setSource(E0, 4, 0));
    EXPECT_EQ(server.clientCount(0xB007), 0);
    EXPECT_EQ(server.clientCount(0xE400), 1);
    server.dispatch(0xB0, 7, 1);
    EXPECT_TRUE(p->values.empty());
    p->clearSource();
    EXPECT_FALSE(p->hasSource());
    EXPECT_EQ(server.clientCount(0xE400), 0);
    p->setSource(B0, 0, 7);
    p.reset();  // destroying a client unregisters it
    EXPECT_EQ(server.clientCount(0xB007), 0);
    server.dispatch(0xB0, 7, 1);
}

TEST_F(Server, UnregisteringRemovesOnlyThatClientsEntry) {
    auto a = probe(B0, 0, 7);
    Probe b(server);
    server.registerClient(0xB007, &b);
    server.registerClient(0xB007, &b);
    server.unregisterClient(0xB007, &b);
    server.dispatch(0xB0, 7, 1);
    EXPECT_EQ(a->values.size(), 1u);
    EXPECT_EQ(b.values.size(), 1u);
    server.unregisterClient(0xB007, &b);
    server.unregisterClient(0xB007, &b);  // nothing left to remove: no harm
    EXPECT_EQ(server.clientCount(0xB007), 1);
}

TEST_F(Server, SourcesThatNameNoControllerAreRefused) {
    Probe p(server);
    EXPECT_FALSE(p.setSource(B0, 0, 98));
    EXPECT_FALSE(p.setSource(F0, 0, 32));
    EXPECT_FALSE(p.setSource(B0, 16, 7));
    EXPECT_FALSE(p.setSource(B0, -1, 7));
    EXPECT_FALSE(p.setSource(0x90, 0, 60));
    EXPECT_FALSE(p.hasSource());
    // A number means nothing for the types without one.
    EXPECT_TRUE(p.setSource(C0, 2, 5));
    EXPECT_EQ(p.getSource(), (VTMidiSource{0xC0, 2, 0}));
    // A refused source also drops the one before.
    EXPECT_FALSE(p.setSource(B0, 0, 120));
    EXPECT_EQ(server.clientCount(0xC200), 0);
}

TEST_F(Server, LearnGivesTheKeyOfTheNextMappableMessageOnce) {
    struct Case {
        const char* what;
        std::uint8_t status, d1, d2;
        int key;
    };
    const Case cases[] = {
        {"controller 74 gives its 7-bit key", 0xB3, 74, 10, 0xB300 + 74},
        {"controller 10 gives the 14-bit key", 0xB3, 10, 10, 0xF300 + 10},
        {"controller 42 gives its pair's 14-bit key", 0xB0, 42, 10, 0xF000 + 10},
        {"program change", 0xC5, 3, 0, 0xC500},
        {"channel pressure", 0xD0, 3, 0, 0xD000},
        {"pitch bend", 0xE1, 0, 64, 0xE100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Learner learner;
        server.setLearnTarget(&learner);
        server.dispatch(0x90, 60, 100);  // notes cannot be learned
        server.dispatch(0xB0, 120, 0);   // nor controllers above 97
        EXPECT_EQ(server.learnTarget(), &learner);
        server.dispatch(c.status, c.d1, c.d2);
        server.dispatch(0xB0, 1, 1);
        EXPECT_EQ(learner.keys, std::vector<int>{c.key});
        EXPECT_EQ(server.learnTarget(), nullptr);
    }
}

TEST_F(Server, ClearedLearnTargetLearnsNothing) {
    Learner learner;
    server.setLearnTarget(&learner);
    server.clearLearnTarget();
    server.dispatch(0xB0, 74, 1);
    EXPECT_TRUE(learner.keys.empty());
}

// A learn target that maps the learned key at once (as a test of the mapping dialogs may do on
// one thread) changes registrations from inside the dispatch: that must not wait for itself.
TEST_F(Server, LearnTargetMayMapTheKeyAtOnce) {
    struct Mapper : VTMidiLearnTarget {
        explicit Mapper(Probe& p) : p(p) {}
        void midiControllerLearned(int key) override {
            p.setSource(key >> 8 & 0xF0, key >> 8 & 0x0F, key & 0xFF);
        }
        Probe& p;
    };
    Probe p(server);
    Mapper mapper(p);
    server.setLearnTarget(&mapper);
    server.dispatch(0xB2, 80, 1);
    EXPECT_EQ(p.getSource(), (VTMidiSource{0xB0, 2, 80}));
    server.dispatch(0xB2, 80, 2);
    EXPECT_EQ(p.values, std::vector<int>{256});
}

TEST_F(Server, DispatchAllocatesNothingAndTakesNoLock) {
    auto a = probe(B0, 0, 7);
    auto b = probe(F0, 0, 7);
    auto c = probe(E0, 0, 0);
    a->values.reserve(16);
    b->values.reserve(16);
    c->values.reserve(16);
    Learner learner;
    learner.keys.reserve(4);
    server.setLearnTarget(&learner);
    const bool countLocks = vantrel::test::AudioThreadGuard::countsLocks();
    vantrel::test::AudioThreadGuard guard;
    server.dispatch(0xB0, 7, 1);
    server.dispatch(0xB0, 39, 1);
    server.dispatch(0xE0, 1, 1);
    server.dispatch(0xC0, 1, 1);
    EXPECT_EQ(guard.allocations(), 0);
    EXPECT_EQ(guard.frees(), 0);
    if (countLocks) {
        EXPECT_EQ(guard.locks(), 0);
    }
}

// Clients come and go on the UI thread while the MIDI thread dispatches: every value goes to a
// live client, and a client that has unregistered is never called again (a late call would
// also show as a use after free in the sanitizer build).
TEST_F(Server, RegistrationWhileDispatchingIsSafe) {
    struct Counting : VTMidiControlClient {
        explicit Counting(VTMidiControlServer& s) : VTMidiControlClient(s) {}
        ~Counting() override {
            clearSource();
            alive = false;
        }
        void receive(int) override {
            if (!alive) bad = true;
            ++count;
        }
        std::atomic<bool> alive{true};
        std::atomic<bool> bad{false};
        std::atomic<int> count{0};
    };
    Counting steady(server);
    steady.setSource(B0, 0, 7);
    std::atomic<bool> done{false};
    // A dense controller stream: a message every 50 microseconds or so.
    std::thread midi([&] {
        while (!done.load()) {
            server.dispatch(0xB0, 7, 64);
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });
    for (int i = 0; i < 300; ++i) {
        auto c = std::make_unique<Counting>(server);
        c->setSource(B0, 0, 7);
        std::this_thread::yield();
        c->setSource(F0, 0, 7);
        c.reset();
        if (i % 50 == 0) {
            Learner l;
            server.setLearnTarget(&l);
            server.clearLearnTarget();
        }
    }
    while (steady.count.load() == 0) std::this_thread::yield();
    done = true;
    midi.join();
    EXPECT_FALSE(steady.bad.load());
    EXPECT_GT(steady.count.load(), 0);
}

TEST(ControlClient, DefaultsToTheProgramsServer) {
    VTMidiControlClient c;
    EXPECT_TRUE(c.setSource(B0, 0, 1));
    EXPECT_EQ(VTMidiControlServer::global().clientCount(0xB001), 1);
    c.clearSource();
    EXPECT_EQ(VTMidiControlServer::global().clientCount(0xB001), 0);
}

TEST(ControlClient, MayOutliveItsServer) {
    auto server = std::make_unique<VTMidiControlServer>();
    VTMidiControlClient c(*server);
    c.setSource(B0, 0, 1);
    server.reset();
    c.clearSource();
}
