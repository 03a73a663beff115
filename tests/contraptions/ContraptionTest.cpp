#include <gtest/gtest.h>

#include <memory>

#include "ContraptionFixtures.h"
#include "platform/VTHelpViewer.h"
#include "signal/SGDynSigContext.h"

using vantrel::test::CountingParams;
using vantrel::test::FakeEditorFactory;
using vantrel::test::ModifiedCounter;
using vantrel::test::ParamsMaker;
using vantrel::test::Through;

namespace {

TEST(Contraption, OwnsItsProcessorPresetsAndTables) {
    ParamsMaker maker("TestGen", "Signal Generators", 1002);
    int destroyed = 0;
    auto proc = std::make_unique<CountingParams>(&destroyed);
    CountingParams* raw = proc.get();
    auto c = std::make_unique<VTContraption>(maker, "", std::move(proc));
    EXPECT_EQ(raw->owner, c.get());
    EXPECT_TRUE(c->ownsProcessor());
    EXPECT_EQ(c->makerName(), "TestGen");
    EXPECT_EQ(c->inletCount(), 0);
    EXPECT_EQ(c->outletCount(), 1);
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_FALSE(c->controllers().hasContent());
    EXPECT_EQ(&c->controllers().contraption(), c.get());
    EXPECT_EQ(&c->formState().contraption(), c.get());
    for (int k = 0; k < VTContraption::kPresetCount; ++k) {
        EXPECT_FALSE(c->isPresetSet(k));
        EXPECT_EQ(&c->preset(k).table(), &raw->propertyTable());
    }
    c.reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(Contraption, ABorrowedProcessorOutlivesItAndForgetsIt) {
    ParamsMaker maker("SoundOut", "Input / Output", 1001, VTContraptionMaker::Naming::Unnumbered,
                      VTContraptionMaker::Editor::Present);
    int destroyed = 0;
    CountingParams pooled(&destroyed);
    {
        VTContraption c(maker, {}, pooled);
        EXPECT_FALSE(c.ownsProcessor());
        EXPECT_EQ(pooled.owner, &c);
    }
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(pooled.owner, nullptr);
}

TEST(Contraption, DestructionClosesTheEditorBeforeTheProcessorGoes) {
    FakeEditorFactory editors;
    ParamsMaker maker("TestGen", "Signal Generators", 1002);
    int destroyed = 0;
    auto c =
        std::make_unique<VTContraption>(maker, "", std::make_unique<CountingParams>(&destroyed));
    std::string name = c->name();
    editors.log.watch = &destroyed;
    c->showEditor();
    EXPECT_TRUE(c->formState().hasEditorWindow());
    c.reset();
    EXPECT_EQ(editors.log.destroyed, 1);
    EXPECT_EQ(editors.log.watchedAtDestruction, 0) << "the processor was still there";
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(VTContraptionFactory::instance().findContraption(name), nullptr);
    EXPECT_TRUE(maker.numberer().isFree(1));
}

TEST(Contraption, ListsItsConnectionsInletByInletInTheOrderTheyWereMade) {
    ParamsMaker sources("Src", "", 0);
    ParamsMaker mixers("Mix", "", 0);
    SGDynSigContext context;
    auto a = sources.create({});
    auto b = sources.create({});
    auto mix = std::make_unique<VTContraption>(mixers, "", std::make_unique<Through>(2, 1));
    for (auto* c : {a.get(), b.get(), mix.get()}) c->processor().setContext(&context);

    context.lock();
    context.connect(&b->processor(), 0, &mix->processor(), 1);
    context.connect(&a->processor(), 0, &mix->processor(), 1);
    context.connect(&a->processor(), 0, &mix->processor(), 0);
    context.unlock();

    ASSERT_EQ(mix->connectionCount(), 3);
    struct Expected {
        int inlet;
        VTContraption* source;
    } expected[] = {{0, a.get()}, {1, b.get()}, {1, a.get()}};
    for (int k = 0; k < 3; ++k) {
        auto conn = mix->connection(k);
        EXPECT_EQ(conn.inlet, expected[k].inlet) << k;
        EXPECT_EQ(conn.source, expected[k].source) << k;
        EXPECT_EQ(conn.outlet, 0) << k;
    }
    EXPECT_EQ(mix->connection(3).source, nullptr);
    EXPECT_EQ(mix->connection(-1).source, nullptr);
    EXPECT_EQ(a->connectionCount(), 0);

    context.lock();
    a.reset();  // its processor leaves the graph with its connections
    context.unlock();
    ASSERT_EQ(mix->connectionCount(), 1);
    EXPECT_EQ(mix->connection(0).source, b.get());
    context.lock();
    mix.reset();
    b.reset();
    context.unlock();
}

TEST(Contraption, PresetSlotsFollowTheCurrentPresetRule) {
    ModifiedCounter modified;
    ParamsMaker maker("TestGen", "Signal Generators", 1002);
    auto c = maker.create({});
    auto& proc = static_cast<CountingParams&>(c->processor());
    proc.amplitude.setValue(0.5);
    c->storePreset(0);
    EXPECT_EQ(c->currentPreset(), 0);
    EXPECT_TRUE(c->isPresetSet(0));
    EXPECT_EQ(modified.count, 1);

    proc.amplitude.setValue(0.9);
    c->recallPreset(0);
    EXPECT_EQ(proc.amplitude.value(), 0.9) << "recalling the current slot again does nothing";
    EXPECT_EQ(modified.count, 1);
    c->forgetCurrentPreset();
    EXPECT_EQ(modified.count, 2);
    c->recallPreset(0);
    EXPECT_EQ(proc.amplitude.value(), 0.5);
    EXPECT_EQ(c->currentPreset(), 0);

    c->clearPreset(0);
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_FALSE(c->isPresetSet(0));
    for (int k : {-1, 20}) {
        int before = modified.count;
        c->storePreset(k);
        c->recallPreset(k);
        c->clearPreset(k);
        EXPECT_FALSE(c->isPresetSet(k));
        EXPECT_EQ(modified.count, before) << "slot " << k << " does not exist";
    }
}

struct RecordingHelp : VTHelpViewer {
    RecordingHelp() { setCurrent(this); }
    ~RecordingHelp() override { setCurrent(nullptr); }
    void showTopic(int topic) override { topics.push_back(topic); }
    std::vector<int> topics;
};

TEST(Contraption, HelpOpensTheMakersTopicWhenItHasOne) {
    ParamsMaker withTopic("TestGen", "Signal Generators", 1002);
    ParamsMaker without("Plain", "", 0);
    auto a = withTopic.create({});
    auto b = without.create({});
    a->showHelp();  // no viewer installed: nothing happens
    RecordingHelp help;
    a->showHelp();
    b->showHelp();
    EXPECT_EQ(help.topics, std::vector<int>{1002});
}

TEST(Contraption, EditorsComeFromTheInstalledFactoryForKindsThatHaveOne) {
    ParamsMaker editable("TestGen", "Signal Generators", 1002);
    ParamsMaker bare("M2Buss", "Busses", 1018, VTContraptionMaker::Naming::Numbered,
                     VTContraptionMaker::Editor::None);
    auto a = editable.create({});
    auto b = bare.create({});
    EXPECT_TRUE(a->hasEditor());
    EXPECT_FALSE(b->hasEditor());

    a->showEditor();  // no user interface: no window, no harm
    EXPECT_FALSE(a->formState().hasEditorWindow());

    FakeEditorFactory editors;
    ModifiedCounter modified;
    b->showEditor();
    EXPECT_FALSE(b->formState().hasEditorWindow());
    EXPECT_EQ(editors.log.built, 0);

    a->formState().setEditorPosition(30, 50);
    a->showEditor();
    a->showEditor();
    EXPECT_EQ(editors.log.built, 1) << "one window per contraption";
    EXPECT_EQ(editors.log.raised, 2) << "brought into view every time";
    EXPECT_EQ(editors.log.caption, a->name());
    EXPECT_EQ(editors.log.openedLeft, 30);
    EXPECT_EQ(editors.log.openedTop, 50);

    auto* window = static_cast<vantrel::test::FakeEditor*>(a->formState().editorWindow());
    window->left = 120;
    window->top = 80;
    EXPECT_EQ(a->formState().editorLeft(), 120) << "the open window's position counts";
    a->formState().closeEditor();
    EXPECT_EQ(editors.log.destroyed, 1);
    EXPECT_EQ(modified.count, 1);
    EXPECT_EQ(a->formState().editorLeft(), 120) << "kept while the window is closed";
    EXPECT_EQ(a->formState().editorTop(), 80);
}

// A kind whose editor class is known where the maker is declared builds it directly.
struct OwnForm : vantrel::test::FakeEditor {
    static vantrel::test::EditorLog log;
    explicit OwnForm(VTContraption& c) : FakeEditor(log), contraption(&c) {}
    VTContraption* contraption;
};
vantrel::test::EditorLog OwnForm::log;

TEST(Contraption, AMakerTemplateWithAFormBuildsThatForm) {
    VTContraptionMakerTemplate<CountingParams, OwnForm> maker("Formed", "Effects", 1);
    auto c = maker.create({});
    c->showEditor();
    ASSERT_TRUE(c->formState().hasEditorWindow());
    EXPECT_EQ(static_cast<OwnForm*>(c->formState().editorWindow())->contraption, c.get());
    EXPECT_EQ(OwnForm::log.caption, "Formed_1");
    c.reset();
    EXPECT_EQ(OwnForm::log.destroyed, 1);
}

}  // namespace
