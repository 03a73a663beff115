#include <gtest/gtest.h>

#include <vector>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDNumberEdit.h"

using namespace mouse;

TEST(NumberEdit, AutomaticStepFollowsTheRange) {
    struct Case {
        double min, max, step;
        int decimals;
    } cases[] = {
        {0, 100, 1, 1},  {1, 240, 2, 1},  {0, 1000, 10, 1}, {0, 50, 0.5, 2},    {0, 10, 0.1, 2},
        {0, 20, 0.2, 2}, {0, 1, 0.01, 3}, {-60, 12, 1, 1},  {0, 20000, 200, 1}, {0, 0.001, 1e-5, 6},
    };
    for (const Case& c : cases) {
        KDNumberEdit e;
        e.SetMax(c.max);
        e.SetMin(c.min);
        EXPECT_NEAR(e.AutoStep(), c.step, c.step * 1e-12) << c.min << ".." << c.max;
        EXPECT_EQ(e.AutoDecimals(), c.decimals) << c.min << ".." << c.max;
    }
}

TEST(NumberEdit, EmptyOrReversedRangeStillHasAStep) {
    KDNumberEdit e;
    e.SetMax(0);  // Min = Max = 0: the step search must not run forever
    EXPECT_EQ(e.AutoStep(), 1.0);
    e.SetMin(5);
    EXPECT_EQ(e.AutoStep(), 1.0);
}

TEST(NumberEdit, TempoFieldStepsByTwoWithOneDecimal) {
    KDNumberEdit tempo;
    tempo.SetMin(1);
    tempo.SetMax(240);
    tempo.SetValue(120);
    EXPECT_EQ(tempo.Text(), "120.0");
    double reported = 0;
    tempo.OnChange = [&](KDNumberEdit&, double v) { reported = v; };
    Key(tempo, KDKey::Up);
    EXPECT_EQ(tempo.Value(), 122);
    EXPECT_EQ(tempo.Text(), "122.0");
    EXPECT_TRUE(tempo.AllSelected());
    EXPECT_EQ(reported, 122);
    Key(tempo, KDKey::Down, ssCtrl);  // a tenth of a step
    EXPECT_DOUBLE_EQ(tempo.Value(), 121.8);
    EXPECT_EQ(tempo.Text(), "121.8");
}

TEST(NumberEdit, StepsWithAFixedIncrementSnapAndLimit) {
    KDNumberEdit e;
    e.SetMin(-10);
    e.SetMax(10);
    e.SetAutoIncrement(false);
    e.SetIncrement(1);
    e.SetValue(-1);
    Key(e, KDKey::Down);
    EXPECT_EQ(e.Value(), -2);
    EXPECT_EQ(e.Text(), "-2.0");  // a whole increment shows one decimal
    e.SetValue(9.7);
    Key(e, KDKey::Up);
    EXPECT_EQ(e.Value(), 10);
    e.SetValue(2.5);
    Key(e, KDKey::Up);  // 3.5 lies half way: toward zero
    EXPECT_EQ(e.Value(), 3);
    e.SetValue(-2.5);
    Key(e, KDKey::Down);
    EXPECT_EQ(e.Value(), -3);
    e.SetIncrement(0.25);
    EXPECT_EQ(e.IncrementDecimals(), 2);
    e.SetValue(1);
    Key(e, KDKey::Up);
    EXPECT_EQ(e.Text(), "1.25");
}

TEST(NumberEdit, SetValueLimitsAndDoesNotReport) {
    KDNumberEdit e;
    int reports = 0;
    e.OnChange = [&](KDNumberEdit&, double) { ++reports; };
    e.SetValue(250);
    EXPECT_EQ(e.Value(), 100);
    EXPECT_EQ(e.Text(), "100.0");
    e.SetValue(-3);
    EXPECT_EQ(e.Value(), 0);
    e.SetValue(33.25);
    EXPECT_EQ(e.Text(), "33.25") << "more digits than the step shows are not hidden";
    EXPECT_EQ(reports, 0);
}

TEST(NumberEdit, TypedTextIsReadAfterEveryEdit) {
    KDNumberEdit e;
    e.SetMin(-10);
    e.SetMax(10);
    std::vector<double> reported;
    e.OnChange = [&](KDNumberEdit&, double v) { reported.push_back(v); };
    Char(e, U'a', ssCtrl);  // select everything and delete it
    Key(e, KDKey::Backspace);
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stUnreadable);
    e.TypeText("abc");
    EXPECT_EQ(e.Text(), "") << "letters are dropped";
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stUnreadable);
    EXPECT_EQ(e.Value(), 0);
    e.TypeText("-");
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stUnreadable);
    e.TypeText("3");
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stValid);
    e.TypeText("5");
    EXPECT_EQ(e.Text(), "-35") << "the text stays as typed";
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stRaisedToMin);
    EXPECT_EQ(e.Value(), -10);
    Key(e, KDKey::Backspace);
    Key(e, KDKey::Home);
    Key(e, KDKey::Delete);
    EXPECT_EQ(e.Text(), "3");
    Key(e, KDKey::End);
    e.TypeText("0.");
    EXPECT_EQ(e.Text(), "30.");
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stLoweredToMax);
    EXPECT_EQ(reported, (std::vector<double>{-3, -10, -3, 3, 10}));

    // With the status set, Up only brings back the value's text.
    Key(e, KDKey::Up);
    EXPECT_EQ(e.Text(), "10.00");
    EXPECT_EQ(e.Value(), 10);
    EXPECT_EQ(e.CurrentStatus(), KDNumberEdit::stValid);
}

TEST(NumberEdit, WhichCharactersAreAccepted) {
    KDNumberEdit e;  // 0..100: no sign
    Char(e, U'a', ssCtrl);
    e.TypeText("+-1.5e");
    EXPECT_EQ(e.Text(), "1.5");
    e.SetIntegersOnly(true);
    EXPECT_EQ(e.Value(), 1) << "whole numbers only rounds down";
    EXPECT_EQ(e.Text(), "1");
    Char(e, U'a', ssCtrl);
    e.TypeText("2.7");
    EXPECT_EQ(e.Text(), "27");
}

TEST(NumberEdit, StatusMarks) {
    KDNumberEdit e(80, 21);
    auto marks = [&] {
        RecordingCanvas c;
        e.Paint(c);
        int red = 0;
        for (const auto& i : c.items) red += i.color == KDColor{255, 0, 0};
        return red;
    };
    EXPECT_EQ(marks(), 0);
    Char(e, U'a', ssCtrl);
    e.TypeText(".");
    EXPECT_EQ(marks(), 4) << "a cross of two 2-pixel diagonals";
    e.TypeText("5");
    e.SetMin(1);  // raises the value to the new minimum and shows it
    EXPECT_EQ(e.Value(), 1);
    EXPECT_EQ(marks(), 0);
    Char(e, U'a', ssCtrl);
    e.TypeText("500");
    EXPECT_EQ(marks(), 2) << "plus";
    Char(e, U'a', ssCtrl);
    e.TypeText("0");
    EXPECT_EQ(marks(), 1) << "minus";
}

TEST(NumberEdit, DragButtonStepsByPixelsMoved) {
    KDNumberEdit e(80, 21);
    RecordingHost host(&e);
    e.SetHost(&host);
    std::vector<double> reported;
    e.OnChange = [&](KDNumberEdit&, double v) { reported.push_back(v); };
    const KDRect b = e.ButtonRect();
    EXPECT_EQ(b, (KDRect{67, 0, 80, 21}));
    EXPECT_EQ(e.TextRect(), (KDRect{1, 1, 57, 21}));
    Press(e, 72, 10);
    EXPECT_EQ(host.cursor, KDCursor::SizeNS);
    EXPECT_TRUE(e.Focused());
    EXPECT_TRUE(e.Dragging());
    Move(e, 72, 7);  // three up
    EXPECT_EQ(e.Value(), 3);
    Move(e, 72, 2);  // five more up, in one move
    EXPECT_EQ(e.Value(), 8) << "a fast drag lands on whole steps, not on multiples of five";
    Move(e, 72, 12, ssLeft | ssCtrl);  // ten tenths down
    EXPECT_DOUBLE_EQ(e.Value(), 7);
    Release(e, 72, 12);
    EXPECT_EQ(host.cursor, KDCursor::Default);
    EXPECT_FALSE(e.Dragging());
    EXPECT_EQ(reported, (std::vector<double>{3, 8, 7}));
    Move(e, 72, 0);
    EXPECT_DOUBLE_EQ(e.Value(), 7);
}

TEST(NumberEdit, StepsStayOnTheirDecimals) {
    KDNumberEdit e;
    e.SetMax(10);  // steps of 0.1
    for (int i = 0; i < 3; ++i) Key(e, KDKey::Up);
    EXPECT_EQ(e.Value(), 0.3);
    EXPECT_EQ(e.Text(), "0.30");
}
