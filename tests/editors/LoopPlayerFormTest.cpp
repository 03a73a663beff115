// The loop player's editor: its file, the stretch and mute switches, bars and phase.
#include <QCheckBox>
#include <QLabel>

#include "EditorFixture.h"
#include "editors/VTFilePanel.h"
#include "editors/sequencers/TLoopPlayerForm.h"

namespace vantrel::test {
namespace {

using LoopPlayerEditor = KindFormTest;

TEST_F(LoopPlayerEditor, FieldsAndSwitchesFollowAndSetTheParameters) {
    auto& form = open<TLoopPlayerForm>("LoopPlayer");
    EXPECT_DOUBLE_EQ(form.BarsEdit().Min(), 1.0);
    EXPECT_DOUBLE_EQ(form.BarsEdit().Max(), 32.0);
    EXPECT_DOUBLE_EQ(form.PhaseEdit().Min(), -512.0);
    EXPECT_DOUBLE_EQ(form.PhaseEdit().Max(), 512.0);

    struct Edit {
        KDNumberEdit* field;
        const char* property;
        const char* typed;
        int stored;
    };
    for (const Edit& e :
         {Edit{&form.BarsEdit(), "BarCount", "8", 8}, Edit{&form.PhaseEdit(), "Phase", "-24", -24},
          Edit{&form.PhaseEdit(), "Phase", "512", 512}}) {
        c->storePreset(0);
        e.field->KeyDown({KDKey::Character, U'a', ssCtrl});
        e.field->TypeText(e.typed);
        EXPECT_EQ(valueOf(e.property), e.stored) << e.typed;
        EXPECT_EQ(c->currentPreset(), -1);
    }
    setFromOutside(form, "BarCount", 16);
    EXPECT_DOUBLE_EQ(form.BarsEdit().Value(), 16.0);

    for (auto [box, name] :
         {std::pair{&form.StretchCheckBox(), "Stretch"}, std::pair{&form.MuteCheckBox(), "Mute"}}) {
        SCOPED_TRACE(name);
        const double before = valueOf(name);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(valueOf(name), before == 0.0 ? 1.0 : 0.0);
        EXPECT_EQ(box->isChecked(), valueOf(name) != 0.0);
        setFromOutside(form, name, before);
        EXPECT_EQ(box->isChecked(), before != 0.0) << "shown from the processor";
    }
    EXPECT_GE(form.clientArea()->width(), form.FilePanel().geometry().right())
        << "the whole file panel is in the window";
}

}  // namespace
}  // namespace vantrel::test
