#include <gtest/gtest.h>

#include "params/SGPropertyUnits.h"
#include "params/SGValueFormat.h"

namespace {

struct FormatCase {
    const SGPropertyUnits* units;
    double value;
    const char* text;
};

TEST(Units, FormatAsTheTableSays) {
    const FormatCase cases[] = {
        {SGAbstractUnits::instance(), 0.126, "0.13"},
        {SGAbstractUnits::instance(), 0.125, "0.12"},  // exact ties round to even, as printf does
        {SGVolumeUnits::instance(), 1.0, "1.00"},
        {SGFrequencyUnits::instance(), 440.0, "440.00 Hz"},
        {SGGainUnits::instance(), 0.5, "-6.02 dB"},
        {SGGainUnits::instance(), 1.0, "+0.00 dB"},
        {SGGainUnits::instance(), 2.0, "+6.02 dB"},
        {SGGainUnits::instance(), 0.0, "-oo dB"},
        {SGGainUnits::instance(), -1.0, "-oo dB"},
        {SGDecibelUnits::instance(), 3.0, "+3.00 dB"},
        {SGDecibelUnits::instance(), -12.5, "-12.50 dB"},
        {SGFractionUnits::instance(), 0.5, "50%"},
        {SGFractionUnits::instance(), 0.004, "0%"},
        {SGFractionUnits::instance(), 0.005, "1%"},
        {SGPanningUnits::instance(), 0.0, "< 100%"},
        {SGPanningUnits::instance(), 0.25, "<  50%"},
        {SGPanningUnits::instance(), 0.499, "<   1%"},
        {SGPanningUnits::instance(), 0.5, "  ><  "},
        {SGPanningUnits::instance(), 0.75, " 50% >"},
        {SGPanningUnits::instance(), 1.0, "100% >"},
        {SGTranspositionUnits::instance(), 2.0, "1200 cents"},
        {SGTranspositionUnits::instance(), 0.5, "-1200 cents"},
        {SGTranspositionUnits::instance(), 1.0, "0 cents"},
        {SGTranspositionUnits::instance(), 0.0, "-1000000000000000 cents"},
        {SGTimeMillisecondsUnits::instance(), 12.5, "12.500000 ms"},
        {SGTimeSecondsUnits::instance(), 1.0, "1.000000 secs"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.units->format(c.value), c.text) << c.value;
}

TEST(Units, SampleTextsCoverTheRange) {
    EXPECT_EQ(SGFrequencyUnits::instance()->sampleText(20, 20000), "20000.00 Hz");
    EXPECT_EQ(SGGainUnits::instance()->sampleText(0, 4), "+999.99 db");
    EXPECT_EQ(SGDecibelUnits::instance()->sampleText(-24, 12), "-24.00 dB");
    EXPECT_EQ(SGDecibelUnits::instance()->sampleText(-6, 12), "-12.00 dB");
    EXPECT_EQ(SGFractionUnits::instance()->sampleText(0, 1), "100%");
    EXPECT_EQ(SGPanningUnits::instance()->sampleText(0, 1), "< 999%");
    EXPECT_EQ(SGTranspositionUnits::instance()->sampleText(0.25, 2.0), "-2400 cents");
    EXPECT_EQ(SGTranspositionUnits::instance()->sampleText(0.5, 4.0), "2400 cents");
    EXPECT_EQ(SGTimeSecondsUnits::instance()->sampleText(0, 10), "10.000000 secs");
}

TEST(ValueFormat, DecimalsAreCutNotRounded) {
    EXPECT_EQ(formatDecimals(440, 2), "440.00");
    EXPECT_EQ(formatDecimals(261.6255653, 2), "261.62");
    EXPECT_EQ(formatDecimals(3, 2), "3.00");
    EXPECT_EQ(formatDecimals(3, 4), "3.00");
    EXPECT_EQ(formatDecimals(2.5, 0), "2.");
    EXPECT_EQ(formatDecimals(0.1, 3), "0.1");
    EXPECT_EQ(formatSeconds(12.345), "12.34 (sec)");
    EXPECT_EQ(formatSeconds(7), "7.00 (sec)");
}

TEST(ValueFormat, NotesNameAndFrequency) {
    EXPECT_EQ(noteName(69), "a5");
    EXPECT_EQ(noteName(60), "c5");
    EXPECT_EQ(noteName(0), "c0");
    EXPECT_EQ(noteName(61), "c#5");
    EXPECT_EQ(noteName(-1), "b-1");
    EXPECT_NEAR(noteFrequency(69), 440.0, 1e-3);
    EXPECT_NEAR(noteFrequency(0), 8.1758, 1e-4);
    EXPECT_EQ(noteNumber(440.0), 69);
    EXPECT_EQ(noteNumber(261.63), 60);
    EXPECT_EQ(noteNumber(0.0), 0);
    EXPECT_EQ(noteNumber(-5.0), 0);

    auto n = nearestNote(445);
    EXPECT_EQ(n.note, 69);
    EXPECT_FALSE(n.exact);
    EXPECT_TRUE(nearestNote(440.1).exact);
}

}  // namespace
