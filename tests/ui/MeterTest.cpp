#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "ui/KDMeter.h"

TEST(Meter, OneSegmentPerDoubling) {
    struct Case {
        float level;
        int n, lit;
    } cases[] = {
        {0.5f, 14, 12},         {0.999f, 14, 13},     {1.0f, 14, 14}, {3.0f, 14, 14},
        {1.001f / 8191, 14, 1}, {0.9f / 8191, 14, 0}, {0.0f, 14, 0},  {0.25f, 14, 11},
        {0.99f, 1, 0},          {1.0f, 1, 1},         {0.5f, 2, 0},   {0.0f, 10, 0},
        {-0.5f, 14, 12},  // a negative level counts by its magnitude
    };
    for (const Case& c : cases)
        EXPECT_EQ(KDMeter::LitSegments(c.level, c.n), c.lit) << c.level << " of " << c.n;
}

TEST(Meter, SegmentColours) {
    const KDColor dark{0, 128, 0}, green{0, 255, 0}, yellow{255, 255, 0}, red{255, 0, 0};
    int counts[4] = {};
    for (int i = 0; i < 14; ++i) {
        const KDColor c = KDMeter::SegmentColor(i, 14);
        counts[c == dark ? 0 : c == green ? 1 : c == yellow ? 2 : 3]++;
    }
    EXPECT_EQ(counts[0], 6);
    EXPECT_EQ(counts[1], 4);
    EXPECT_EQ(counts[2], 3);
    EXPECT_EQ(counts[3], 1);
    EXPECT_EQ(KDMeter::SegmentColor(13, 14), red);
    EXPECT_EQ(KDMeter::SegmentColor(0, 2), dark);
    EXPECT_EQ(KDMeter::SegmentColor(1, 2), red);
    EXPECT_EQ(KDMeter::SegmentColor(0, 1), red);
}

TEST(Meter, CountsAreLimited) {
    KDMeter m;
    m.SetSegmentCount(0);
    EXPECT_EQ(m.SegmentCount(), 1);
    m.SetSegmentCount(20);
    EXPECT_EQ(m.SegmentCount(), 16);
    m.SetChannelCount(0);
    EXPECT_EQ(m.ChannelCount(), 1);
    m.SetChannelCount(17);
    EXPECT_EQ(m.ChannelCount(), 16);
}

TEST(Meter, LevelsOfChannelsItDoesNotHaveAreIgnored) {
    KDMeter m(20, 100);
    RecordingHost host(&m);
    m.SetHost(&host);
    m.SetChannelCount(2);
    host.invalidations = 0;
    m.SetValues(2, 1.0f);
    m.SetValues(-1, 1.0f);
    EXPECT_EQ(host.invalidations, 0);
    EXPECT_EQ(m.LitCount(0), 0);
    EXPECT_EQ(m.LitCount(1), 0);
}

TEST(Meter, OnlyChangedSegmentsAreRepainted) {
    KDMeter m(20, 104);  // (104 - 4) / 10 = 10 pixels a segment
    RecordingHost host(&m);
    m.SetHost(&host);
    m.SetValues(0, 1.5f / 511);  // 1 lit
    m.SetValues(0, 0.6f);        // 1 to 9
    EXPECT_EQ(m.LitCount(0), 9);
    EXPECT_EQ(host.lastArea, m.SegmentRect(0, 1).United(m.SegmentRect(0, 8)));
    EXPECT_EQ(m.SegmentRect(0, 0).bottom, 102) << "the lowest segment at the bottom";
    EXPECT_EQ(m.SegmentRect(0, 1).Height(), 9);
    host.invalidations = 0;
    m.SetValues(0, 0.7f);  // still 9: nothing to repaint
    EXPECT_EQ(host.invalidations, 0);
}

TEST(Meter, ChangingTheSegmentCountRecountsFromTheLevels) {
    KDMeter m;
    m.SetValues(0, 0.5f);
    EXPECT_EQ(m.LitCount(0), 8);
    m.SetSegmentCount(14);
    EXPECT_EQ(m.LitCount(0), 12);
}

TEST(Meter, ClearLevelsDarkensEverySegment) {
    KDMeter m(40, 104);
    m.SetChannelCount(2);
    m.SetValues(0, 1.0f);
    m.SetValues(1, 0.5f);
    m.ClearLevels();
    EXPECT_EQ(m.Values(0), 0.0f);
    RecordingCanvas c;
    m.Paint(c);
    int lit = 0, dark = 0;
    for (const auto& item : c.Of(RecordingCanvas::Op::FillRect)) {
        for (int i = 0; i < 10; ++i) {
            lit += item.color == KDMeter::SegmentColor(i, 10) && item.rect.Width() < 20;
            dark += item.color == KDMeter::DarkColor(i, 10);
        }
    }
    EXPECT_EQ(lit, 0);
    EXPECT_GE(dark, 20);

    m.SetEnabled(false);  // only the frame
    RecordingCanvas off;
    m.Paint(off);
    for (const auto& item : off.Of(RecordingCanvas::Op::FillRect))
        EXPECT_EQ(item.color, RecordingCanvas::kBtnFace);
}
