#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "audio/VTAuxIn.h"
#include "audio/VTAuxOut.h"
#include "audio/VTIOContraptionMaker.h"
#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "contraptions/VTContraptionFactory.h"
#include "params/SGPropertyUnits.h"
#include "signal/SGDynSigContext.h"
#include "support/TestProcessors.h"

namespace {

using vantrel::test::ConstantSource;
using vantrel::test::Sink;
using Side = VTIOContraptionMaker::Side;

// Every device kind, over a pool of the test's own. The context is declared first, so the pool
// (and with it any processor still attached) goes before it.
struct Kinds {
    SGDynSigContext context;
    VTIOContraptionPool pool;
    VTSoundInMaker soundIn{pool};
    VTSoundOutMaker soundOut{pool};
    std::vector<std::unique_ptr<VTIOContraptionMaker>> aux;

    Kinds() {
        for (int k = 1; k <= 7; ++k) aux.push_back(std::make_unique<VTAuxOutMaker>(k, pool));
        for (int k = 1; k <= 7; ++k) aux.push_back(std::make_unique<VTAuxInMaker>(k, pool));
    }
    std::vector<VTIOContraptionMaker*> all() {
        std::vector<VTIOContraptionMaker*> v = {&soundIn, &soundOut};
        for (auto& m : aux) v.push_back(m.get());
        return v;
    }
};

TEST(IOContraptionMakers, DescribeTheirKindAndSlot) {
    Kinds kinds;
    struct Row {
        const char* name;
        int help;
        Side side;
        int slot;
        bool editor;
        int inlets, outlets;
    };
    std::vector<Row> rows = {{"SoundIn", 1000, Side::Input, 0, true, 0, 2},
                             {"SoundOut", 1001, Side::Output, 0, true, 2, 0}};
    for (int k = 1; k <= 7; ++k) rows.push_back({nullptr, 1024, Side::Output, k, false, 2, 0});
    for (int k = 1; k <= 7; ++k) rows.push_back({nullptr, 1024, Side::Input, k, false, 0, 2});
    auto makers = kinds.all();
    ASSERT_EQ(makers.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        VTIOContraptionMaker& m = *makers[r];
        std::string name = row.name ? row.name
                                    : std::string(row.side == Side::Input ? "AuxIn" : "AuxOut") +
                                          std::to_string(row.slot);
        SCOPED_TRACE(name);
        EXPECT_EQ(m.name(), name);
        EXPECT_EQ(m.category(), "Input / Output");
        EXPECT_EQ(m.helpContext(), row.help);
        EXPECT_TRUE(m.unnumbered());
        EXPECT_EQ(m.hasEditor(), row.editor);
        EXPECT_EQ(m.side(), row.side);
        EXPECT_EQ(m.slot(), row.slot);

        auto c = m.create({});
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name(), name) << "named after the kind, never numbered";
        EXPECT_FALSE(c->ownsProcessor());
        EXPECT_EQ(c->inletCount(), row.inlets);
        EXPECT_EQ(c->outletCount(), row.outlets);
        EXPECT_EQ(c->processor().owner, c.get());
    }
}

TEST(IOContraptionMakers, EachKindExistsOnceAndIsOfferedOnlyWhileItsSlotIsFree) {
    Kinds kinds;
    std::vector<std::unique_ptr<VTContraption>> live;
    for (VTIOContraptionMaker* m : kinds.all()) {
        SCOPED_TRACE(m->name());
        EXPECT_TRUE(m->isAvailable());
        live.push_back(m->create({}));
        ASSERT_NE(live.back(), nullptr);
        EXPECT_FALSE(m->isAvailable());
        EXPECT_EQ(m->create({}), nullptr) << "a second one is refused";
        EXPECT_EQ(m->create("Other"), nullptr);
    }
    // Other kinds are unaffected by a slot in use; freeing one slot frees only that kind.
    live.erase(live.begin() + 3);  // AuxOut2
    auto makers = kinds.all();
    for (std::size_t k = 0; k < makers.size(); ++k)
        EXPECT_EQ(makers[k]->isAvailable(), k == 3) << makers[k]->name();
    auto again = makers[3]->create({});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->name(), "AuxOut2");
}

TEST(IOContraptionMakers, AStoredNameIsKeptAndTheSameProcessorComesBack) {
    Kinds kinds;
    SGSignalProcessor* first = nullptr;
    {
        auto c = kinds.soundOut.create("SoundOut");
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name(), "SoundOut");
        first = &c->processor();
        EXPECT_TRUE(kinds.pool.outputInUse(0));
        EXPECT_EQ(kinds.pool.soundOut(), first);
    }
    EXPECT_FALSE(kinds.pool.outputInUse(0));
    EXPECT_EQ(kinds.pool.soundOut(), nullptr);
    auto c = kinds.soundOut.create({});
    EXPECT_EQ(&c->processor(), first) << "the pool keeps the processor for the next one";
    EXPECT_NE(dynamic_cast<VTSoundOut*>(first), nullptr);
}

TEST(IOContraptionPool, GivesEachSlotsProcessorOnceAndRefusesSlotsOutOfRange) {
    VTIOContraptionPool pool;
    EXPECT_NE(dynamic_cast<VTSoundIn*>(pool.acquireInput(0)), nullptr);
    EXPECT_NE(dynamic_cast<VTSoundOut*>(pool.acquireOutput(0)), nullptr);
    for (int k = 1; k < 8; ++k) {
        EXPECT_NE(dynamic_cast<VTAuxIn*>(pool.acquireInput(k)), nullptr);
        EXPECT_NE(dynamic_cast<VTAuxOut*>(pool.acquireOutput(k)), nullptr);
        EXPECT_EQ(pool.acquireInput(k), nullptr);
        EXPECT_EQ(pool.acquireOutput(k), nullptr);
    }
    for (int bad : {-1, 8}) {
        EXPECT_EQ(pool.acquireInput(bad), nullptr);
        EXPECT_EQ(pool.acquireOutput(bad), nullptr);
        EXPECT_FALSE(pool.inputInUse(bad));
        pool.releaseInput(bad);
        pool.releaseOutput(bad);
        EXPECT_FALSE(pool.inputSignals(bad));
        EXPECT_FALSE(pool.outputSignals(bad));
    }
    EXPECT_NE(pool.soundIn(), nullptr);
    EXPECT_TRUE(pool.soundInUsesDevice());
    pool.soundIn()->useADC.setValue(false);
    EXPECT_FALSE(pool.soundInUsesDevice());
}

TEST(IOContraptionPool, AReleasedSoundInComesBackWithItsDefaults) {
    Kinds kinds;
    auto c = kinds.soundIn.create({});
    auto& in = static_cast<VTSoundIn&>(c->processor());
    std::istringstream entry("{ 0, \"/no/such/file.wav\", 1, 1, 1, 1500, 1, 250, 900 }");
    in.readProperties(entry);
    in.loop.setValue(true);
    in.loopDelay.setValue(1500.0);
    c.reset();

    auto again = kinds.soundIn.create({});
    std::ostringstream out;
    again->processor().writeProperties(out);
    EXPECT_EQ(out.str(), "{ 1, \"\", 0, 0, 0, 0, 0, 0, 0 }");
    EXPECT_EQ(in.inputFile.text(), nullptr);
}

TEST(IOContraptionPool, AReleasedSoundOutComesBackWithItsDefaultsAndItsFileClosed) {
    Kinds kinds;
    auto c = kinds.soundOut.create({});
    auto& out = static_cast<VTSoundOut&>(c->processor());
    out.fileMode.setValue(1);
    out.punchMode.setValue(2);
    out.recordDuration.setValue(12);
    out.recorderState.setValue(0);
    out.playPosition.setValue(5.0);
    out.fileDuration.setValue(7.0);
    c.reset();

    auto again = kinds.soundOut.create({});
    std::ostringstream text;
    again->processor().writeProperties(text);
    EXPECT_EQ(text.str(), "{ \"\", 0, 0, 0, 300 }");
    EXPECT_EQ(out.recorderState.value(), VTSoundOut::kNoFile);
    EXPECT_EQ(out.playPosition.value(), 0.0);
    EXPECT_EQ(out.fileDuration.value(), 0.0);
    EXPECT_EQ(out.writer(), nullptr);
}

TEST(IOContraptionPool, AReleasedSlotLeavesItsContextWithoutAConnectionLeft) {
    Kinds kinds;
    auto* source = new ConstantSource(0.25f, 1);  // owned by the context
    source->setContext(&kinds.context);
    auto* sink = new Sink(1);
    sink->setContext(&kinds.context);
    auto out = kinds.aux[0]->create({});  // AuxOut1
    auto in = kinds.aux[7]->create({});   // AuxIn1
    out->processor().setContext(&kinds.context);
    in->processor().setContext(&kinds.context);
    ASSERT_TRUE(kinds.context.connect(source, 0, &out->processor(), 0));
    ASSERT_TRUE(kinds.context.connect(source, 0, &out->processor(), 1));
    ASSERT_TRUE(kinds.context.connect(&in->processor(), 1, sink, 0));
    SGSignalProcessor* outProcessor = &out->processor();
    SGSignalProcessor* inProcessor = &in->processor();

    out.reset();
    in.reset();
    EXPECT_EQ(outProcessor->context(), nullptr);
    EXPECT_EQ(inProcessor->context(), nullptr);
    EXPECT_TRUE(source->outlet(0).refs.empty());
    EXPECT_TRUE(sink->inlet(0).refs.empty());
    EXPECT_EQ(&sink->inletSignal(0), &SGZeroSignal);
    for (SGDynSigPipe* p : kinds.context.updateList()) {
        EXPECT_NE(p, outProcessor);
        EXPECT_NE(p, inProcessor);
    }
    EXPECT_EQ(kinds.context.allPipes().size(), 2u);
    kinds.context.processBlock();  // nothing left that points at the pool's processors
    EXPECT_EQ(outProcessor->inlet(0).refs.size(), 0u);
    EXPECT_EQ(inProcessor->outlet(1).refs.size(), 0u);
}

TEST(IOContraptionPool, InputSignalsOnlyForAnInputTheGraphRuns) {
    Kinds kinds;
    auto in = kinds.aux[8]->create({});  // AuxIn2
    EXPECT_FALSE(kinds.pool.inputSignals(2)) << "not in a context";
    in->processor().setContext(&kinds.context);
    EXPECT_FALSE(kinds.pool.inputSignals(2)) << "in the context but feeding nothing";
    auto* sink = new Sink(2);
    sink->setContext(&kinds.context);
    kinds.context.connect(&in->processor(), 0, sink, 1);
    auto signals = kinds.pool.inputSignals(2);
    ASSERT_TRUE(signals);
    EXPECT_EQ(signals.left, &in->processor().outletSignal(0));
    EXPECT_EQ(signals.right, &in->processor().outletSignal(1));

    // The engine writes the device samples into them; the graph reads them.
    signals.left->fill(0.5f);
    signals.right->fill(-0.25f);
    kinds.context.processBlock();
    EXPECT_EQ(sink->received[1][0], 0.5f);
    EXPECT_FALSE(kinds.pool.inputSignals(3)) << "a free slot";
}

TEST(IOContraptionPool, OutputSignalsAreWhatAnAuxiliaryOutputReceived) {
    Kinds kinds;
    EXPECT_FALSE(kinds.pool.outputSignals(1));
    auto out = kinds.aux[0]->create({});  // AuxOut1
    out->processor().setContext(&kinds.context);
    auto signals = kinds.pool.outputSignals(1);
    ASSERT_TRUE(signals);
    EXPECT_EQ(signals.left, &SGZeroSignal) << "unconnected inlets send silence";

    auto* a = new ConstantSource(0.5f, 1);
    auto* b = new ConstantSource(0.25f, 1);
    a->setContext(&kinds.context);
    b->setContext(&kinds.context);
    kinds.context.connect(a, 0, &out->processor(), 0);
    kinds.context.connect(a, 0, &out->processor(), 1);
    kinds.context.connect(b, 0, &out->processor(), 1);  // two sources: the inlet sums them
    kinds.context.processBlock();
    signals = kinds.pool.outputSignals(1);
    EXPECT_EQ((*signals.left)[17], 0.5f);
    EXPECT_EQ((*signals.right)[17], 0.75f);

    // An edit between blocks frees the summing block; what the engine asks for next is valid.
    kinds.context.disconnect(b, 0, &out->processor(), 1);
    signals = kinds.pool.outputSignals(1);
    EXPECT_EQ(signals.right, &a->outletSignal(0));
}

TEST(IOContraptionProcessors, DeclareTheirPropertiesInTableOrder) {
    VTSoundIn in;
    const char* inNames[] = {"UseADC",    "InputFile",  "FileIsGood", "Active",  "Loop",
                             "LoopDelay", "AutoRewind", "Location",   "Duration"};
    SGPropertyTable& inTable = in.propertyTable();
    ASSERT_EQ(inTable.count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(inTable.info(i).name, inNames[i]);
        EXPECT_EQ(inTable.info(i).units, SGAbstractUnits::instance());
        EXPECT_EQ(inTable.info(i).minimum, 0.0);
        EXPECT_EQ(inTable.info(i).maximum, 0.0);
    }
    EXPECT_EQ(&inTable.property(1), &in.inputFile);
    EXPECT_EQ(&inTable.property(8), &in.duration);

    VTSoundOut out;
    const char* outNames[] = {"OutputFile", "Action", "FileMode", "PunchMode", "RecordDuration"};
    SGPropertyTable& outTable = out.propertyTable();
    ASSERT_EQ(outTable.count(), 5) << "the recorder's state, position and length are not stored";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(outTable.info(i).name, outNames[i]);
        EXPECT_EQ(outTable.info(i).units, SGAbstractUnits::instance());
        EXPECT_EQ(outTable.info(i).maximum, 0.0);
    }
    EXPECT_EQ(outTable.indexOf("recorderState"), -1);
    std::ostringstream text;
    out.writeProperties(text);
    EXPECT_EQ(text.str(), "{ \"\", 0, 0, 0, 300 }");
    EXPECT_EQ(out.recorderState.value(), -1);

    EXPECT_EQ(VTAuxIn().propertyTable().count(), 0);
    EXPECT_EQ(VTAuxOut().propertyTable().count(), 0);
}

}  // namespace
