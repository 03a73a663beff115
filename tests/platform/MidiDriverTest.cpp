#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/midi/KDRtMidiDriver.h"
#include "platform/midi/KDSimulatedMidiDriver.h"

namespace {

struct Recorder : KDMidiInputCallback {
    struct Delivery {
        std::vector<unsigned char> bytes;
        double stamp;
    };
    std::vector<Delivery> got;
    void midiBytes(const unsigned char* b, std::size_t n, double stamp) override {
        got.push_back({std::vector<unsigned char>(b, b + n), stamp});
    }
};

}  // namespace

TEST(SimulatedMidiDriver, DeliversBytesAndStampsToEveryPortOnTheDevice) {
    KDSimulatedMidiDriver driver({"Keys", "Pads"});
    EXPECT_EQ(driver.inputDeviceNames(), (std::vector<std::string>{"Keys", "Pads"}));
    Recorder a, b, c;
    auto pa = driver.openInput("Keys", a);
    auto pb = driver.openInput("Keys", b);
    auto pc = driver.openInput("Pads", c);
    ASSERT_TRUE(pa && pb && pc);
    EXPECT_EQ(driver.send("Keys", {0xB0, 7, 100}, 12.5), 2);
    ASSERT_EQ(a.got.size(), 1u);
    EXPECT_EQ(a.got[0].bytes, (std::vector<unsigned char>{0xB0, 7, 100}));
    EXPECT_DOUBLE_EQ(a.got[0].stamp, 12.5);
    EXPECT_EQ(b.got.size(), 1u);
    EXPECT_TRUE(c.got.empty());
}

TEST(SimulatedMidiDriver, UnknownDeviceDoesNotOpenAndClosedPortsGetNothing) {
    KDSimulatedMidiDriver driver({"Keys"});
    Recorder r;
    EXPECT_EQ(driver.openInput("Nothing", r), nullptr);
    auto port = driver.openInput("Keys", r);
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    port.reset();
    EXPECT_EQ(driver.openPorts("Keys"), 0);
    EXPECT_EQ(driver.send("Keys", {0xF8}, 0.0), 0);
    EXPECT_TRUE(r.got.empty());
}

TEST(SimulatedMidiDriver, RemovedDeviceGoesQuietAndCannotBeReopened) {
    KDSimulatedMidiDriver driver({"Keys"});
    Recorder r;
    auto port = driver.openInput("Keys", r);
    driver.removeDevice("Keys");
    EXPECT_FALSE(port->isConnected());
    EXPECT_EQ(driver.send("Keys", {0xB0, 1, 2}, 0.0), 0);
    EXPECT_TRUE(r.got.empty());
    EXPECT_EQ(driver.openInput("Keys", r), nullptr);
    port.reset();  // closing a port whose device is gone is fine
}

TEST(SimulatedMidiDriver, PortMayOutliveItsDriver) {
    Recorder r;
    std::unique_ptr<KDMidiInputPort> port;
    {
        KDSimulatedMidiDriver driver({"Keys"});
        port = driver.openInput("Keys", r);
    }
    port.reset();
}

// On a machine without sound hardware there is no ALSA sequencer, and usually no JACK server:
// listing and opening must simply find nothing.
TEST(RtMidiDriver, ListsWhatTheMachineHasWithoutFailing) {
    KDRtMidiDriver driver("Vantrel test");
    const auto names = driver.inputDeviceNames();
    for (const auto& n : names) EXPECT_FALSE(n.empty());
    Recorder r;
    EXPECT_EQ(driver.openInput("no such device here", r), nullptr);
}
