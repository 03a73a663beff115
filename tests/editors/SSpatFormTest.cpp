// The spatialiser's editor: the path editor, the trajectory picture and its drags, the sliders.
#include <QLabel>

#include "EditorFixture.h"
#include "editors/effects/TSSpatForm.h"
#include "editors/effects/VTTrajectoryPicture.h"
#include "library/effects/VTSSpat.h"

namespace vantrel::test {
namespace {

class SSpatEditor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        form = &open<TSSpatForm>("SSpat");
        spat = dynamic_cast<VTSSpat*>(&c->processor());
        ASSERT_NE(spat, nullptr);
    }
    TSSpatForm* form = nullptr;
    VTSSpat* spat = nullptr;
};

TEST_F(SSpatEditor, SixSlidersInTheirOrder) {
    const char* properties[] = {"TrajectoryRate",  "SpaceScale",        "DopplerAmount",
                                "AmplitudeAmount", "SpeakerSeparation", "ReverbAmount"};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(properties[k]);
        const SGPropertyInfo& info = c->processor().propertyTable().info(
            c->processor().propertyTable().indexOf(properties[k]));
        EXPECT_DOUBLE_EQ(form->Slider(k).Min(), info.minimum);
        EXPECT_DOUBLE_EQ(form->Slider(k).Max(), info.maximum);
        setFromOutside(*form, properties[k], info.maximum);
        EXPECT_DOUBLE_EQ(form->Slider(k).Value(), info.maximum);
    }
    QStringList captions;
    for (QLabel* l : form->clientArea()->findChildren<QLabel*>()) captions << l->text();
    for (const char* text : {"Path:", "Trajectory:", "Velocity:", "Scale:", "Doppler Amount:",
                             "Amp Amount:", "Separation:", "Reverb Scaling:"})
        EXPECT_TRUE(captions.contains(text)) << text;
}

TEST_F(SSpatEditor, AnEditedPathIsStoredAsTextAndDrawn) {
    EXPECT_EQ(form->PathEditor().CommaText(), "0,0.5, -0.5,-0.2, 0.5,-0.2");
    c->storePreset(0);
    KDTrigSplineEdit& editor = form->PathEditor();
    const KDPoint p = editor.ScreenOf(editor.Points()[0]);
    editor.MouseDown({p.x, p.y, KDMouseButton::Left, ssLeft});
    editor.MouseMove({p.x, p.y - 20, KDMouseButton::None, ssLeft});
    editor.MouseUp({p.x, p.y - 20, KDMouseButton::Left, 0});
    EXPECT_EQ(std::string(spat->pathSegments.text()), editor.CommaText());
    EXPECT_NE(editor.CommaText(), "0,0.5, -0.5,-0.2, 0.5,-0.2");
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_EQ(form->Path().controlPointCount(), 3);
}

TEST_F(SSpatEditor, ARefreshReadsThePathAndItsPlacementFromTheProcessor) {
    spat->pathSegments.setValue("0,0.9, -0.9,0, 0,-0.9, 0.9,0");
    spat->pathOriginX.setValue(0.25);
    spat->pathRotation.setValue(1.0);
    spat->pathScale.setValue(0.5);
    form->refreshAll(true);
    EXPECT_EQ(form->PathEditor().SegmentCount(), 4);
    SGTrigSplinePath expected(2048);
    ASSERT_TRUE(expected.parse("0,0.9, -0.9,0, 0,-0.9, 0.9,0"));
    expected.setOffset(0.25f, 0.0f);
    expected.setRotation(1.0);
    expected.setScale(0.5);
    for (float position : {0.0f, 1.3f, 3.9f}) {
        float ex, ey, x, y;
        expected.evaluate(position, ex, ey);
        form->Path().evaluate(position, x, y);
        EXPECT_FLOAT_EQ(x, ex) << position;
        EXPECT_FLOAT_EQ(y, ey) << position;
    }
}

TEST_F(SSpatEditor, DragsOnTheTrajectoryMoveTurnAndScaleThePath) {
    VTTrajectoryPicture& picture = form->Picture();
    const int w = picture.width();
    Press(&picture, {w / 2, w / 2});
    MoveHeld(&picture, {w / 2 + w / 4, w / 2});
    Release(&picture, {w / 2 + w / 4, w / 2});
    EXPECT_DOUBLE_EQ(spat->pathOriginX.value(), 0.5) << "a quarter of the width is half the square";
    form->TrajectoryDragged(0.8, -2.5, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(spat->pathOriginX.value(), 1.0) << "stops at the edge";
    EXPECT_DOUBLE_EQ(spat->pathOriginY.value(), -1.0);

    form->TrajectoryDragged(0.0, 0.5, Qt::ControlModifier);
    EXPECT_NEAR(spat->pathRotation.value(), 3.1415, 1e-9);
    form->TrajectoryDragged(0.0, 0.6, Qt::ControlModifier);
    EXPECT_NEAR(spat->pathRotation.value(), 3.1415 + 0.6 * 6.283 - 6.2831852, 1e-9)
        << "brought back within one turn";
    form->TrajectoryDragged(0.0, 0.5, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(spat->pathScale.value(), 1.0) << "Ctrl is tested before Shift";

    form->TrajectoryDragged(0.0, 10.0, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(spat->pathScale.value(), 5.0);
    form->TrajectoryDragged(0.0, -10.0, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(spat->pathScale.value(), 0.1);
}

}  // namespace
}  // namespace vantrel::test
