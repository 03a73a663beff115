#include <gtest/gtest.h>

#include <vector>

#include "control/VTMidiControlClient.h"
#include "control/VTMidiControlServer.h"
#include "control/VTMidiInputs.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "signal/SGDynSigContext.h"

namespace {

struct Probe : VTMidiControlClient {
    using VTMidiControlClient::VTMidiControlClient;
    void receive(int v) override { values.push_back(v); }
    std::vector<int> values;
};

struct Inputs : ::testing::Test {
    KDSimulatedMidiDriver driver{{"Keys", "Clock"}};
    VTMidiControlServer server;
    VTMidiInputs inputs{driver, server};
    Probe probe{server};
    void SetUp() override { probe.setSource(0xB0, 0, 7); }
};

}  // namespace

TEST_F(Inputs, ClosedAtCreationOnTheFirstDevice) {
    EXPECT_FALSE(inputs.controllersIn().isOpen());
    EXPECT_FALSE(inputs.syncIn().isOpen());
    EXPECT_EQ(inputs.ControllersDevice(), 0);
    EXPECT_EQ(inputs.SyncInDevice(), 0);
    EXPECT_TRUE(inputs.CanEnableMidiControllers());
    EXPECT_TRUE(inputs.CanEnableChaseSync());
    EXPECT_STREQ(VTMidiInputs::kSettingsGroup, "MidiAndSync");
    EXPECT_STREQ(VTMidiInputs::kControllersDeviceValue, "ControllersDevice");
    EXPECT_STREQ(VTMidiInputs::kSyncInDeviceValue, "SyncInDevice");
}

TEST_F(Inputs, ControllersReachClientsOnlyWhileEnabled) {
    driver.send("Keys", {0xB0, 7, 1}, 0.0);
    inputs.EnableMidiControllers();
    EXPECT_TRUE(inputs.MidiControllersEnabled());
    driver.send("Keys", {0xB0, 7, 2}, 1.0);
    inputs.DisableMidiControllers();
    EXPECT_FALSE(inputs.controllersIn().isOpen());
    driver.send("Keys", {0xB0, 7, 3}, 2.0);
    EXPECT_EQ(probe.values, std::vector<int>{256});
}

TEST_F(Inputs, SeparateDevicesOpenSeparatePorts) {
    inputs.SetMidiDevices(0, 1);
    EXPECT_FALSE(inputs.SharedDevice());
    inputs.EnableChaseSync();
    EXPECT_TRUE(inputs.syncIn().isOpen());
    EXPECT_FALSE(inputs.controllersIn().isOpen());
    EXPECT_EQ(&inputs.ChaseInput(), &inputs.syncIn());
    inputs.EnableMidiControllers();
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    EXPECT_EQ(driver.openPorts("Clock"), 1);
    // Controller messages on the sync device reach no client.
    driver.send("Clock", {0xB0, 7, 9}, 0.0);
    EXPECT_TRUE(probe.values.empty());
    inputs.DisableChaseSync();
    EXPECT_FALSE(inputs.syncIn().isOpen());
    EXPECT_TRUE(inputs.controllersIn().isOpen());
}

// One device for both: it is opened once, by the controllers input, which also feeds the chase,
// and it stays open as long as either needs it.
TEST_F(Inputs, SharedDeviceIsOpenedOnceAndServesBoth) {
    ASSERT_TRUE(inputs.SharedDevice());
    EXPECT_EQ(&inputs.ChaseInput(), &inputs.controllersIn());
    inputs.EnableChaseSync();
    EXPECT_TRUE(inputs.controllersIn().isOpen());
    EXPECT_FALSE(inputs.syncIn().isOpen());
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    driver.send("Keys", {0xB0, 7, 1}, 0.0);  // chase alone: controllers reach no one
    EXPECT_TRUE(probe.values.empty());

    inputs.EnableMidiControllers();
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    driver.send("Keys", {0xFA}, 1.0);
    driver.send("Keys", {0xB0, 7, 2}, 2.0);
    EXPECT_EQ(probe.values, std::vector<int>{256});
    EXPECT_TRUE(inputs.ChaseInput().syncState().transportRunning);

    SGDynSigContext ctx;
    inputs.RunChaseStep(ctx, 1024, inputs.controllersIn().openTime() + 10.0);
    EXPECT_TRUE(inputs.chase().syncLocked());

    inputs.DisableMidiControllers();  // chase still needs the device
    EXPECT_TRUE(inputs.controllersIn().isOpen());
    driver.send("Keys", {0xB0, 7, 3}, 3.0);
    EXPECT_EQ(probe.values.size(), 1u);
    inputs.DisableChaseSync();
    EXPECT_FALSE(inputs.controllersIn().isOpen());
    EXPECT_EQ(driver.openPorts("Keys"), 0);
}

TEST_F(Inputs, NewDeviceChoicesReopenWhatWasOn) {
    inputs.EnableMidiControllers();
    inputs.EnableChaseSync();
    inputs.SetMidiDevices(1, 0);
    EXPECT_TRUE(inputs.MidiControllersEnabled());
    EXPECT_TRUE(inputs.ChaseSyncEnabled());
    EXPECT_EQ(driver.openPorts("Clock"), 1);
    EXPECT_EQ(driver.openPorts("Keys"), 1);
    driver.send("Clock", {0xB0, 7, 5}, 0.0);
    EXPECT_EQ(probe.values, std::vector<int>{640});
    // An index beyond the list keeps the old choice; -1 means none.
    inputs.SetMidiDevices(7, -1);
    EXPECT_EQ(inputs.ControllersDevice(), 1);
    EXPECT_EQ(inputs.SyncInDevice(), -1);
    EXPECT_FALSE(inputs.syncIn().isOpen());
    EXPECT_FALSE(inputs.CanEnableChaseSync());
}

TEST_F(Inputs, StoredChoicesAreTakenOnlyWhenTheyNameADevice) {
    inputs.ApplyStoredDevices(1, -1);
    EXPECT_EQ(inputs.ControllersDevice(), 1);
    EXPECT_EQ(inputs.SyncInDevice(), -1);
    inputs.ApplyStoredDevices(2, -5);
    EXPECT_EQ(inputs.ControllersDevice(), 1);
    EXPECT_EQ(inputs.SyncInDevice(), -1);
}

TEST(InputsWithoutDevices, OfferNothingToEnable) {
    KDSimulatedMidiDriver none;
    VTMidiControlServer server;
    VTMidiInputs inputs(none, server);
    EXPECT_FALSE(inputs.CanEnableMidiControllers());
    EXPECT_FALSE(inputs.CanEnableChaseSync());
    inputs.EnableMidiControllers();
    inputs.EnableChaseSync();
    EXPECT_FALSE(inputs.controllersIn().isOpen());
    SGDynSigContext ctx;
    inputs.RunChaseStep(ctx, 1024, 0.0);
    EXPECT_FALSE(inputs.chase().syncLocked());
}
