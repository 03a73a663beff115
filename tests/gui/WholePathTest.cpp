// The program as a person uses it: open a document, add contraptions from the "New" menu, wire
// them on the patcher, open an editor, turn a knob, save, reopen.
#include <QMouseEvent>

#include "GuiFixture.h"
#include "editors/generators/TTestGenForm.h"
#include "library/generators/VTTestSignalGenerator.h"

namespace vantrel::test {
namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(MainFormTest, WholePathFromOpenToReopen) {
    const std::string start = path("start.vtx");
    write(start, ".vtx 0.6\ntempo:\n\t100\ncontraptions:\nconnections:\ncontrollers:\nend\n");
    make();
    ASSERT_TRUE(form->OpenPath(start));
    EXPECT_EQ(form->windowTitle(), "start - Vantrel");
    EXPECT_EQ(form->TempoEdit().Text(), "100.0");

    // Two contraptions from the "New" menu, each where the right button went down.
    QWidget* viewport = form->PatcherWidget().Viewport();
    auto addAt = [&](const std::string& maker, QPoint p) {
        mouse(viewport, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
        mouse(viewport, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
        EXPECT_TRUE(form->PatcherPopup().isVisible());
        form->MakerAction(makerIndex(maker))->trigger();
        form->PatcherPopup().hide();
    };
    addAt("TestGen", {30, 30});
    addAt("SoundOut", {30, 140});
    ASSERT_EQ(doc().ContraptionCount(), 2);
    VTContraption* gen = doc().ContraptionAt(0);
    VTContraption* out = doc().ContraptionAt(1);

    // The wire, dragged on the patcher from the generator's outlet to the output's left inlet.
    KDPatcherNode* from = nodeOf(gen);
    KDPatcherNode* to = nodeOf(out);
    const QPoint a(from->Left() + 6, from->Bottom() - 2);
    const QPoint b(to->Left() + 6, to->Top() + 2);
    mouse(viewport, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    mouse(viewport, QEvent::MouseMove, (a + b) / 2, Qt::NoButton, Qt::LeftButton);
    mouse(viewport, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    mouse(viewport, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(out->connectionCount(), 1);

    // The generator's editor by a double click, and its volume knob turned up.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(from->Left() + 10, from->Top() + 8));
    ASSERT_TRUE(gen->formState().hasEditorWindow());
    auto* editor = dynamic_cast<TTestGenForm*>(gen->formState().editorWindow());
    ASSERT_NE(editor, nullptr);
    QWidget* knob = &editor->VolumeKnobWidget();
    mouse(knob, QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    mouse(knob, QEvent::MouseMove, {20, -30}, Qt::NoButton, Qt::LeftButton);
    mouse(knob, QEvent::MouseButtonRelease, {20, -30}, Qt::LeftButton, Qt::NoButton);
    auto& generator = static_cast<VTTestSignalGenerator&>(gen->processor());
    ASSERT_NEAR(generator.amplitude.value(), 0.5, 1e-9);

    form->FileSave();
    EXPECT_FALSE(doc().IsModified());
    const std::string saved = read(start);
    EXPECT_NE(saved.find("connections:\n\tTestGen_1\t0\tSoundOut\t0\n"), std::string::npos)
        << saved;

    // A new document, then the saved one again from the Reopen submenu.
    form->FileNew();
    EXPECT_EQ(panel().NodeCount(), 0);
    form->UpdateFileMenu();
    ASSERT_FALSE(form->ReopenMenu().actions().isEmpty());
    form->ReopenMenu().actions().front()->trigger();
    ASSERT_EQ(doc().ContraptionCount(), 2);
    VTContraption* gen2 = doc().FindContraption("TestGen_1");
    VTContraption* out2 = doc().FindContraption("SoundOut");
    ASSERT_TRUE(gen2 && out2);
    EXPECT_NEAR(static_cast<VTTestSignalGenerator&>(gen2->processor()).amplitude.value(), 0.5,
                1e-9);
    ASSERT_EQ(out2->connectionCount(), 1);
    EXPECT_EQ(out2->connection(0).source, gen2);
    EXPECT_EQ(nodeOf(gen2)->Left(), 30);
    EXPECT_EQ(nodeOf(out2)->Top(), 140);
    EXPECT_EQ(panel().ConnectionCount(), 1);
    EXPECT_NEAR(doc().Tempo(), 100.0, 1e-9);
}

}  // namespace
}  // namespace vantrel::test
