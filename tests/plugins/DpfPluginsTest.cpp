#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "PluginFixtures.h"
#include "signal/SGConstants.h"
#include "signal/SGSignal.h"
#include "support/RecordingMessageBox.h"

using namespace vantrel::test;

namespace {

const char* kDpfFolder = "/usr/lib/vst";

std::string dpfPath(const std::string& file) { return std::string(kDpfFolder) + "/" + file; }

// A real plug-in of Debian's DISTRHO collection, made into a contraption.
struct RealPlugin {
    explicit RealPlugin(const std::string& file)
        : maker(VSTContraptionMaker::makerNameFor(file), dpfPath(file)),
          contraption(maker.create({})) {}
    VSTSignalProcessor& processor() { return vstProcessor(*contraption); }

    RecordingMessageBox box;
    VSTContraptionMaker maker;
    std::unique_ptr<VTContraption> contraption;
};

// Runs blocks of a sine through inlet 0 (and 1 when there is one) and gives outlet `outlet`'s
// samples of every block. Blocks past `soundBlocks` feed silence.
std::vector<float> run(VSTSignalProcessor& p, int blocks, int soundBlocks, double hertz = 441.0,
                       float amplitude = 0.8f, int outlet = 0) {
    SGSignal in;
    std::vector<float> out;
    for (int b = 0; b < blocks; ++b) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            double n = static_cast<double>(b) * SGBlockSize + i;
            in[i] = b < soundBlocks
                        ? amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * hertz *
                                                                  n / SGSampleRate))
                        : 0.0f;
        }
        for (int k = 0; k < p.inletCount(); ++k) p.inlet(k).signal = &in;
        p.process();
        const SGSignal& o = p.outletSignal(outlet);
        out.insert(out.end(), o.samples(), o.samples() + SGBlockSize);
    }
    for (int k = 0; k < p.inletCount(); ++k) p.inlet(k).signal = &SGZeroSignal;
    return out;
}

double rms(const std::vector<float>& v, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t n = from; n < to; ++n) sum += static_cast<double>(v[n]) * v[n];
    return std::sqrt(sum / static_cast<double>(to - from));
}

std::size_t distinctValues(const std::vector<float>& v, std::size_t from) {
    return std::set<float>(v.begin() + static_cast<long>(from), v.end()).size();
}

std::vector<std::string> parameterNames(VSTSignalProcessor& p) {
    std::vector<std::string> names;
    for (int i = 0; i < p.propertyTable().count(); ++i)
        names.push_back(p.propertyTable().info(i).name);
    return names;
}

#define REQUIRE_DPF(file)                        \
    if (!std::filesystem::exists(dpfPath(file))) \
    GTEST_SKIP() << dpfPath(file) << " is missing: scripts/install-deps.sh installs dpf-plugins-vst"

}  // namespace

TEST(DpfPlugins, BitcrusherListsItsParameterAndQuantisesASine) {
    REQUIRE_DPF("MaBitcrush-vst.so");
    RealPlugin r("MaBitcrush-vst.so");
    ASSERT_NE(r.contraption, nullptr);
    EXPECT_TRUE(r.box.messages.empty());
    EXPECT_EQ(r.contraption->makerName(), "MaBitcrush-vst");
    VSTSignalProcessor& p = r.processor();
    EXPECT_EQ(p.inletCount(), 1);
    EXPECT_EQ(p.outletCount(), 2);
    EXPECT_EQ(parameterNames(p), (std::vector<std::string>{"resoluti"}));
    EXPECT_EQ(&p.propertyTable().findProperty("resoluti"), &p.parameter(0));

    // The sine itself takes some hundred values over its period; 6 bits leave a few levels.
    std::vector<float> sine;
    for (std::uint32_t n = 0; n < 20 * SGBlockSize; ++n)
        sine.push_back(
            0.8f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 441.0 * n / SGSampleRate)));
    EXPECT_GT(distinctValues(sine, SGBlockSize), 90u);
    auto crushed = run(p, 20, 20);
    std::size_t atDefault = distinctValues(crushed, SGBlockSize);
    EXPECT_GT(rms(crushed, SGBlockSize, crushed.size()), 0.4) << "the sound goes through";
    EXPECT_LE(atDefault, 65u);
    EXPECT_GE(atDefault, 4u);
    // The lowest resolution, set through the property, leaves two levels at most.
    p.parameter(0).setValue(0.0);
    auto harsh = run(p, 20, 20);
    EXPECT_LE(distinctValues(harsh, SGBlockSize), 2u);
    EXPECT_LT(distinctValues(harsh, SGBlockSize), atDefault);
}

TEST(DpfPlugins, ReverbRingsOnAfterItsInputStopsUntilItsFeedbackIsTakenAway) {
    REQUIRE_DPF("MaFreeverb-vst.so");
    RealPlugin r("MaFreeverb-vst.so");
    ASSERT_NE(r.contraption, nullptr);
    VSTSignalProcessor& p = r.processor();
    EXPECT_EQ(parameterNames(p), (std::vector<std::string>{"fb2", "damp", "fb1", "spread"}));
    auto quiet = run(p, 10, 0);
    EXPECT_EQ(rms(quiet, 0, quiet.size()), 0.0) << "silence in, silence out";

    // A burst of 20 blocks, then silence: the tail long after the burst.
    auto ringing = run(p, 120, 20);
    EXPECT_GT(rms(ringing, 80 * SGBlockSize, 120 * SGBlockSize), 0.01);

    SGProperty& feedback = p.propertyTable().findProperty("fb1");
    ASSERT_EQ(&feedback, &p.parameter(2));
    p.parameter(2).setValue(0.0);
    p.reset();
    auto dry = run(p, 120, 20);
    EXPECT_GT(rms(dry, 2 * SGBlockSize, 20 * SGBlockSize), 0.01) << "still sounds while fed";
    EXPECT_LT(rms(dry, 80 * SGBlockSize, 120 * SGBlockSize), 1e-6);
}

TEST(DpfPlugins, SynthesiserStaysSilentWithoutANote) {
    REQUIRE_DPF("Kars-vst.so");
    RealPlugin r("Kars-vst.so");
    ASSERT_NE(r.contraption, nullptr);
    VSTSignalProcessor& p = r.processor();
    EXPECT_EQ(parameterNames(p), (std::vector<std::string>{"Sustain", "Release", "Volume"}));
    EXPECT_EQ(p.inletCount(), 0);
    EXPECT_EQ(p.outletCount(), 1);
    p.parameter(2).setValue(1.0);
    p.parameter(0).setValue(1.0);
    p.outletSignal(0).fill(7.0f);
    auto out = run(p, 40, 40);
    EXPECT_EQ(rms(out, 0, out.size()), 0.0);
    VSTABI::Effect& e = p.effect();
    EXPECT_FLOAT_EQ(e.getParameter(&e, 2), 1.0f) << "the volume reached the plug-in";
}

TEST(DpfPlugins, AnEntryWithChangedParametersReadsBackIntoTheSameValues) {
    REQUIRE_DPF("MVerb-vst.so");
    RealPlugin r("MVerb-vst.so");
    ASSERT_NE(r.contraption, nullptr);
    VSTSignalProcessor& p = r.processor();
    ASSERT_EQ(p.parameterCount(), 9);
    EXPECT_EQ(p.propertyTable().info(8).name, "Early/La");
    p.parameter(0).setValue(0.2);
    p.parameter(7).setValue(0.9);
    run(p, 2, 2);
    std::ostringstream written;
    r.contraption->writeEntry(written);

    RealPlugin copy("MVerb-vst.so");
    ASSERT_NE(copy.contraption, nullptr);
    std::istringstream in(written.str());
    std::string makerName, instanceName;
    in >> makerName >> instanceName;
    EXPECT_EQ(makerName, "MVerb-vst");
    copy.contraption->readEntry(in);
    EXPECT_FALSE(in.fail());
    VSTSignalProcessor& q = copy.processor();
    VSTABI::Effect& e = q.effect();
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(q.parameter(i).value(), p.parameter(i).value(), 1e-6) << i;
        EXPECT_NEAR(e.getParameter(&e, i), p.parameter(i).value(), 1e-6)
            << "plug-in's own value " << i;
    }
    std::ostringstream rewritten;
    copy.contraption->writeEntry(rewritten);
    std::string a = written.str(), b = rewritten.str();
    EXPECT_EQ(b.substr(b.find('{')), a.substr(a.find('{')));
}
