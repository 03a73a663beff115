// Every kind with an editor has a form of its own: a kind added to the maker table without one
// would open the bare common window.
#include "EditorFixture.h"

namespace vantrel::test {
namespace {

TEST_F(EditorTest, EveryKindWithAnEditorHasItsOwnForm) {
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    int kinds = 0;
    for (int k = 0; k < factory.makerCount(); ++k) {
        const VTContraptionMaker& maker = factory.maker(k);
        if (!maker.hasEditor() || maker.category() == "VST Plugins") continue;
        // The auxiliary inputs and outputs have no controls: the common window is their editor.
        if (maker.name().starts_with("AuxIn") || maker.name().starts_with("AuxOut")) continue;
        EXPECT_TRUE(preview->factory().hasOwnForm(maker.name())) << maker.name();
        ++kinds;
    }
    EXPECT_GT(kinds, 20) << "the maker table is registered";
}

}  // namespace
}  // namespace vantrel::test
