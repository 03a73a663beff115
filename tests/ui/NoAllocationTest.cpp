// The controls people touch all day must not allocate while the mouse moves: everything they
// need is made when they are built or when their content changes.
#include <gtest/gtest.h>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "support/AudioThreadGuard.h"
#include "ui/KDDWKnob.h"
#include "ui/KDDWSlider.h"
#include "ui/KDFlatButton.h"
#include "ui/KDMeter.h"
#include "ui/KDNumberEdit.h"
#include "ui/KDPatcherPanel.h"
#include "ui/KDPianoKeyboard.h"
#include "ui/KDRangeSlider.h"
#include "ui/TWinSplit.h"

using namespace mouse;

namespace {
void Sweep(KDControl& c, int x0, int y0, int dx, int dy, unsigned shift = ssLeft) {
    for (int i = 1; i <= 20; ++i) Move(c, x0 + dx * i, y0 + dy * i, shift);
}
}  // namespace

TEST(NoAllocation, PatcherMouseMoves) {
    KDPatcherPanel panel(400, 300);
    RecordingHost host(&panel);
    panel.SetHost(&host);
    int events = 0;
    panel.OnMouseMove = [&](KDControl&, const KDMouseEvent&) { ++events; };
    KDPatcherNode* nodes[6];
    for (int i = 0; i < 6; ++i)
        nodes[i] = panel.AddNode(20 + 60 * i, 20 + 40 * (i % 2), "Node", 2, 2, nullptr);
    for (int i = 0; i < 5; ++i) panel.AddConnection(nodes[i], 0, nodes[i + 1], 1);

    EXPECT_NO_AUDIO_ALLOCATION(Sweep(panel, 0, 150, 18, 1, 0));  // hovering over ports
    Press(panel, 5, 290);                                        // rubber band across all
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(panel, 5, 290, 20, -14));
    Release(panel, 385, 10);
    ASSERT_EQ(panel.SelectedNodeCount(), 6);
    Press(panel, nodes[0]->Left() + 3, nodes[0]->Top() + 13);  // drag them all
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(panel, nodes[0]->Left() + 3, nodes[0]->Top() + 13, 1, 2));
    Release(panel, 100, 100);
    const KDPoint out = nodes[2]->OutletPoint(0);
    Press(panel, out.x, out.y - 2);  // wire from an outlet, over other nodes' inlets
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(panel, out.x, out.y, 15, 3));
    Release(panel, out.x, out.y);
    EXPECT_GT(events, 0);
}

TEST(NoAllocation, ValueControlDrags) {
    KDDWKnob knob;
    KDDWSlider slider;
    KDRangeSlider range;
    KDNumberEdit number;
    KDPianoKeyboard keys(400, 65);
    KDFlatButton button;
    TWinSplit split;
    double sink = 0;
    knob.OnChange = [&](KDDWKnob&, double v) { sink += v; };
    slider.OnChange = [&](KDDWSlider&, double v) { sink += v; };
    range.OnChange = [&](KDRangeSlider&, double a, double b) { sink += a + b; };
    keys.OnChange = [&](KDPianoKeyboard&) { sink += 1; };

    Press(knob, 20, 20);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(knob, 20, 20, 0, -3));
    Press(slider, 12, 90);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(slider, 12, 90, 0, -4));
    Press(range, 12, 50);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(range, 12, 50, 0, -2, ssLeft | ssShift));
    Press(keys, 5, 50);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(keys, 5, 50, 7, 0));
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(button, -10, 5, 2, 0, 0));
    EXPECT_GT(sink, 0);
    // The number field's text is rewritten on every step; short texts stay in the string's
    // own storage.
    Press(number, number.ButtonRect().left + 3, 10);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(number, number.ButtonRect().left + 3, 10, 0, -1));
    Press(split, 1, 1);
    EXPECT_NO_AUDIO_ALLOCATION(Sweep(split, 1, 1, 3, 0));
}

TEST(NoAllocation, MeterLevels) {
    KDMeter meter(20, 100);
    meter.SetChannelCount(2);
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 100; ++i) {
        meter.SetValues(0, float(i) / 100.0f);
        meter.SetValues(1, float(100 - i) / 100.0f);
    });
}
