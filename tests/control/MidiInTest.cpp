#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "control/KDMidiIn.h"
#include "control/VTMidiControlClient.h"
#include "control/VTMidiControlServer.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "support/AudioThreadGuard.h"

namespace {

struct Handler : KDMidiMessageHandler {
    std::vector<std::array<int, 3>> got;
    void midiMessage(std::uint8_t s, std::uint8_t a, std::uint8_t b) override {
        got.push_back({s, a, b});
    }
};

struct MidiIn : ::testing::Test {
    KDSimulatedMidiDriver driver{{"Keys", "Clock"}};
    KDMidiIn in{driver};
    std::uint32_t now = 7000;
    void SetUp() override {
        in.setTimeSource([this] { return now; });
    }
};

}  // namespace

TEST_F(MidiIn, ListsDevicesAndChoosesTheFirst) {
    EXPECT_EQ(in.deviceNames(), (std::vector<std::string>{"Keys", "Clock"}));
    EXPECT_EQ(in.deviceIndex(), 0);
    EXPECT_TRUE(in.setDeviceIndex(1));
    EXPECT_EQ(in.deviceName(), "Clock");
    EXPECT_FALSE(in.setDeviceIndex(2));
    EXPECT_FALSE(in.setDeviceIndex(-2));
    EXPECT_EQ(in.deviceIndex(), 1);
    EXPECT_TRUE(in.setDeviceIndex(-1));
    EXPECT_EQ(in.deviceName(), "");
}

TEST(MidiInWithoutDevices, HasNoDeviceAndNeverOpens) {
    KDSimulatedMidiDriver none;
    KDMidiIn in(none);
    EXPECT_EQ(in.deviceIndex(), -1);
    in.openPort();
    EXPECT_FALSE(in.isOpen());
}

TEST_F(MidiIn, ChannelMessagesGoToTheHandlerOnlyWhileOpen) {
    Handler h;
    in.setMessageHandler(&h);
    driver.send("Keys", {0xB0, 7, 100}, 1.0);
    EXPECT_TRUE(h.got.empty());
    in.openPort();
    EXPECT_TRUE(in.isOpen());
    EXPECT_TRUE(in.isConnected());
    EXPECT_EQ(in.openTime(), 7000u);
    driver.send("Keys", {0xB0, 7, 100}, 1.0);
    driver.send("Keys", {0x90, 60, 100, 61, 100}, 2.0);  // running status
    driver.send("Keys", {0xF8}, 3.0);                    // clock: not for the handler
    EXPECT_EQ(h.got,
              (std::vector<std::array<int, 3>>{{0xB0, 7, 100}, {0x90, 60, 100}, {0x90, 61, 100}}));
    in.openPort();  // already open: nothing changes
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    in.setMessageHandler(nullptr);
    driver.send("Keys", {0xB0, 7, 1}, 4.0);
    EXPECT_EQ(h.got.size(), 3u);
    in.closePort();
    EXPECT_FALSE(in.isOpen());
    EXPECT_EQ(driver.openPorts("Keys"), 0);
}

TEST_F(MidiIn, SystemMessagesFeedTheClockReceiverOnTheTimeBase) {
    in.setDeviceIndex(1);
    in.openPort();
    driver.send("Clock", {0xFA}, 40.0);
    auto s = in.syncState();
    EXPECT_TRUE(s.transportRunning);
    EXPECT_EQ(s.songPosition, -1);
    EXPECT_DOUBLE_EQ(s.positionTime, 7040.0);
    driver.send("Clock", {0xF8}, 60.0);
    EXPECT_EQ(in.syncState().songPosition, 0);
    driver.send("Clock", {0xF2, 16, 0}, 70.0);
    EXPECT_EQ(in.syncState().songPosition, 96);
}

TEST_F(MidiIn, OpeningAgainClearsTheClockState) {
    in.openPort();
    driver.send("Keys", {0xFA}, 40.0);
    for (int i = 0; i < 30; ++i) driver.send("Keys", {0xF8}, 50.0 + 10.0 * i);  // 250 BPM
    EXPECT_GT(in.syncState().tempoEstimate, 130.0);
    in.closePort();
    now = 9000;
    in.openPort();
    const auto s = in.syncState();
    EXPECT_FALSE(s.transportRunning);
    EXPECT_DOUBLE_EQ(s.tempoEstimate, in.defaultTempo());
    EXPECT_EQ(in.openTime(), 9000u);
}

// Garbage between good messages is dropped; the good messages still arrive.
TEST_F(MidiIn, BadInputIsIgnoredAndGoodInputStillArrives) {
    VTMidiControlServer server;
    struct Probe : VTMidiControlClient {
        using VTMidiControlClient::VTMidiControlClient;
        void receive(int v) override { values.push_back(v); }
        std::vector<int> values;
    } probe(server);
    probe.setSource(0xB0, 0, 7);
    in.setMessageHandler(&server);
    in.openPort();
    driver.send("Keys", {0x07, 0x64}, 1.0);                    // stray data
    driver.send("Keys", {0xB0, 7}, 2.0);                       // truncated
    driver.send("Keys", {0xF0, 0x7E, 0x7F, 0x06, 0x01}, 3.0);  // unfinished sysex
    driver.send("Keys", {0x40, 0xF7}, 4.0);
    driver.send("Keys", {0xB0, 7, 1}, 5.0);
    driver.send("Keys", {7, 2}, 6.0);  // running status
    driver.send("Keys", {0xB0, 7, 0xF8, 3}, 7.0);
    driver.send("Keys", nullptr, 0, 8.0);
    EXPECT_EQ(probe.values, (std::vector<int>{128, 256, 384}));
}

TEST_F(MidiIn, PortWhoseDeviceDisappearsGoesQuietAndClosesCleanly) {
    Handler h;
    in.setMessageHandler(&h);
    in.openPort();
    driver.removeDevice("Keys");
    EXPECT_TRUE(in.isOpen());
    EXPECT_FALSE(in.isConnected());
    driver.send("Keys", {0xB0, 1, 1}, 1.0);
    EXPECT_TRUE(h.got.empty());
    in.closePort();
    in.openPort();  // the device is gone: the port stays silent, no failure
    EXPECT_TRUE(in.isOpen());
    EXPECT_FALSE(in.isConnected());
    in.closePort();
}

TEST_F(MidiIn, RefreshKeepsTheChosenDeviceByName) {
    in.setDeviceIndex(1);
    driver.removeDevice("Keys");
    driver.addDevice("Pads");
    in.refreshDeviceNames();
    EXPECT_EQ(in.deviceName(), "Clock");
    EXPECT_EQ(in.deviceIndex(), 0);
    driver.removeDevice("Clock");
    in.refreshDeviceNames();
    EXPECT_EQ(in.deviceName(), "Pads");
    in.setDeviceIndex(-1);
    driver.addDevice("Keys");
    in.refreshDeviceNames();
    EXPECT_EQ(in.deviceIndex(), -1);  // none stays none
    EXPECT_EQ(in.deviceNames(), (std::vector<std::string>{"Pads", "Keys"}));
}

// What the port's thread runs for each delivery: parsing, the clock receiver and the handler
// allocate nothing and take no lock (the one lock counted is the simulated driver's own).
TEST_F(MidiIn, DeliveryAllocatesNothingAndTakesNoLockOfItsOwn) {
    VTMidiControlServer server;
    VTMidiControlClient client(server);
    client.setSource(0xF0, 0, 7);
    in.setMessageHandler(&server);
    in.openPort();
    const unsigned char bytes[] = {0xB0, 7, 100, 39, 5, 0xF8, 0xFA, 0xF8, 0xF2, 1, 2, 0xE0, 0, 64};
    const bool countLocks = vantrel::test::AudioThreadGuard::countsLocks();
    vantrel::test::AudioThreadGuard guard;
    for (int i = 0; i < 20; ++i) driver.send("Keys", bytes, sizeof bytes, i * 10.0);
    EXPECT_EQ(guard.allocations(), 0);
    EXPECT_EQ(guard.frees(), 0);
    if (countLocks) {
        EXPECT_EQ(guard.locks(), 20);
    }
}
