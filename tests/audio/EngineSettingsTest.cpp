#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>

#include "RealTimeEngineFixture.h"

namespace vantrel::test {
namespace {

constexpr const char* kWave = "WaveStream";
constexpr const char* kMidi = "MidiAndSync";

class EngineSettings : public EngineTest {
protected:
    // Made without clearing the device choices, so the stored or default ones stay.
    TRealTimeEngine& create() {
        engine = std::make_unique<TRealTimeEngine>(*system, pool, settings, midiDriver, midiServer,
                                                   &context);
        return *engine;
    }
};

TEST_F(EngineSettings, WithoutStoredValuesTheFirstDevicesAreChosen) {
    TRealTimeEngine& e = create();
    EXPECT_EQ(e.InDevice(0), 1);
    EXPECT_EQ(e.OutDevice(0), 1);
    for (int i = 1; i < 8; ++i) {
        EXPECT_EQ(e.InDevice(i), 0);
        EXPECT_EQ(e.OutDevice(i), 0);
    }
    EXPECT_EQ(e.WaveStream().OutputBufferSize(), 16384);
    EXPECT_EQ(e.WaveStream().OutputBufferCount(), 4);
    EXPECT_GE(e.WaveStream().InputBufferSize(), e.WaveStream().OutputBufferSize());
}

TEST_F(EngineSettings, NoDeviceListedMeansNone) {
    KDSimulatedAudio empty;
    KDAudioSystem none(empty);
    none.AddBackend(empty);
    TRealTimeEngine e(none, pool, settings, midiDriver, midiServer, &context);
    EXPECT_EQ(e.InDevice(0), 0);
    EXPECT_EQ(e.OutDevice(0), 0);
}

struct StoredCase {
    const char* name;
    const char* value;
    int stored;
    int expected;  // what the engine or stream holds afterwards
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.value << " stored as " << c.stored; }

class StoredValue : public EngineSettings, public ::testing::WithParamInterface<StoredCase> {
protected:
    int read(TRealTimeEngine& e, const std::string& name) {
        KDWaveStream& s = e.WaveStream();
        if (name == "OutputBufferCount") return s.OutputBufferCount();
        if (name == "InputBufferCount") return s.InputBufferCount();
        if (name == "OutputBufferSize") return s.OutputBufferSize();
        if (name == "InputBufferSize") return s.InputBufferSize();
        if (name.rfind("InDevice", 0) == 0) return e.InDevice(name.back() - '0');
        if (name.rfind("OutDevice", 0) == 0) return e.OutDevice(name.back() - '0');
        if (name == "ControllersDevice") return e.MidiInputs().ControllersDevice();
        if (name == "SyncInDevice") return e.MidiInputs().SyncInDevice();
        ADD_FAILURE() << name;
        return 0;
    }
};

TEST_P(StoredValue, IsReadWithItsCorrection) {
    const StoredCase& c = GetParam();
    const std::string value = c.value;
    const bool midi = value == "ControllersDevice" || value == "SyncInDevice";
    settings.writeInteger(midi ? kMidi : kWave, c.value, c.stored);
    TRealTimeEngine& e = create();
    EXPECT_EQ(read(e, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, StoredValue,
    ::testing::Values(StoredCase{"CountSix", "OutputBufferCount", 6, 6},
                      StoredCase{"CountTwelve", "OutputBufferCount", 12, 4},
                      StoredCase{"CountOne", "InputBufferCount", 1, 4},
                      StoredCase{"CountEight", "InputBufferCount", 8, 8},
                      StoredCase{"CountTwo", "OutputBufferCount", 2, 2},
                      StoredCase{"OutputSize", "OutputBufferSize", 8192, 8192},
                      // raised to the output size (16384 by default)
                      StoredCase{"InputSmallerThanOutput", "InputBufferSize", 4096, 16384},
                      StoredCase{"InputLarger", "InputBufferSize", 65536, 65536},
                      StoredCase{"OutDeviceListed", "OutDevice3", 3, 3},
                      StoredCase{"OutDeviceLast", "OutDevice1", 4, 4},
                      StoredCase{"OutDeviceBeyond", "OutDevice1", 5, 0},
                      StoredCase{"OutDeviceNegative", "OutDevice0", -3, 0},
                      StoredCase{"InDeviceListed", "InDevice7", 2, 2},
                      StoredCase{"InDeviceBeyond", "InDevice0", 3, 0},
                      StoredCase{"MidiListed", "ControllersDevice", 1, 1},
                      StoredCase{"MidiNone", "SyncInDevice", -1, -1},
                      StoredCase{"MidiBeyondKeepsPrevious", "SyncInDevice", 2, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineSettings, InputSizeIsRaisedToAStoredOutputSizeEvenWithoutAStoredInputSize) {
    settings.writeInteger(kWave, "OutputBufferSize", 32768);
    TRealTimeEngine& e = create();
    EXPECT_EQ(e.WaveStream().OutputBufferSize(), 32768);
    EXPECT_EQ(e.WaveStream().InputBufferSize(), 32768);
}

TEST_F(EngineSettings, OverdriveIsRead) {
    settings.writeBool(kWave, "Overdrive", false);
    EXPECT_FALSE(create().WaveStream().Overdrive());
    engine.reset();
    settings.writeBool(kWave, "Overdrive", true);
    EXPECT_TRUE(create().WaveStream().Overdrive());
}

TEST_F(EngineSettings, EveryValueIsWrittenAtDestructionAndReadBack) {
    {
        TRealTimeEngine& e = create();
        e.SetOutDevice(2, kQuad);
        e.SetInDevice(5, kInQuad);
        e.WaveStream().SetOutputBufferSize(8192);
        e.WaveStream().SetOutputBufferCount(6);
        e.WaveStream().SetInputBufferSize(32768);
        e.WaveStream().SetInputBufferCount(3);
        e.WaveStream().SetOverdrive(false);
        e.MidiInputs().SetMidiDevices(1, -1);
        engine.reset();
    }
    EXPECT_EQ(settings.valueNames(kWave).size(), 21u);
    EXPECT_EQ(settings.valueNames(kMidi).size(), 2u);
    EXPECT_EQ(settings.readInteger(kWave, "OutDevice0"), 1);
    EXPECT_EQ(settings.readInteger(kWave, "OutDevice2"), kQuad);
    EXPECT_EQ(settings.readInteger(kWave, "InDevice5"), kInQuad);
    EXPECT_EQ(settings.readInteger(kWave, "InDevice7"), 0);
    EXPECT_EQ(settings.readInteger(kWave, "OutputBufferSize"), 8192);
    EXPECT_EQ(settings.readInteger(kWave, "OutputBufferCount"), 6);
    EXPECT_EQ(settings.readInteger(kWave, "InputBufferSize"), 32768);
    EXPECT_EQ(settings.readInteger(kWave, "InputBufferCount"), 3);
    EXPECT_EQ(settings.readBool(kWave, "Overdrive"), false);
    EXPECT_EQ(settings.readInteger(kMidi, "ControllersDevice"), 1);
    EXPECT_EQ(settings.readInteger(kMidi, "SyncInDevice"), -1);

    TRealTimeEngine& again = create();
    EXPECT_EQ(again.OutDevice(2), kQuad);
    EXPECT_EQ(again.InDevice(5), kInQuad);
    EXPECT_EQ(again.WaveStream().OutputBufferSize(), 8192);
    EXPECT_EQ(again.WaveStream().OutputBufferCount(), 6);
    EXPECT_EQ(again.WaveStream().InputBufferSize(), 32768);
    EXPECT_EQ(again.WaveStream().InputBufferCount(), 3);
    EXPECT_FALSE(again.WaveStream().Overdrive());
    EXPECT_EQ(again.MidiInputs().ControllersDevice(), 1);
    EXPECT_EQ(again.MidiInputs().SyncInDevice(), -1);
}

TEST_F(EngineSettings, DestructionWhileRunningStopsAndSaves) {
    TRealTimeEngine& e = create();
    e.SetOutDevice(1, kStereoB);
    addOutput(0, 0.1f);
    ASSERT_TRUE(e.StartAudio());
    // Destruction stops the stream, which waits for its last buffers: keep the devices moving.
    auto destroyed = std::async(std::launch::async, [this] { engine.reset(); });
    while (destroyed.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
        sim.Advance(4096);
    destroyed.get();
    EXPECT_FALSE(sim.IsOpen(KDAudioDirection::Output, 0));
    EXPECT_EQ(settings.readInteger(kWave, "OutDevice1"), kStereoB);
}

}  // namespace
}  // namespace vantrel::test
