#include <gtest/gtest.h>

#include <memory>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "makers/VTMakerTable.h"

namespace {

// The granulators, the spatialiser and the loop player in the maker table.
TEST(MakerTable, GranulatorsSpatialiserAndLoopPlayerAreRegisteredInOrder) {
    registerAllMakers();
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    struct Row {
        const char* name;
        const char* category;
        int help, inlets, outlets;
    } rows[] = {
        {"DLGranulator", "Effects", 1011, 1, 2},
        {"BubbleBlower", "Signal Generators", 1021, 0, 2},
        {"SSpat", "Effects", 1020, 1, 3},
        {"LoopPlayer", "Signal Generators", 1003, 0, 2},
    };
    int last = factory.findMaker("TestGen")->index();
    for (const Row& row : rows) {
        VTContraptionMaker* m = factory.findMaker(row.name);
        ASSERT_NE(m, nullptr) << row.name;
        EXPECT_GT(m->index(), last) << row.name << " keeps its place in the table";
        last = m->index();
        EXPECT_EQ(m->category(), row.category);
        EXPECT_EQ(m->helpContext(), row.help);
        EXPECT_FALSE(m->unnumbered());
        EXPECT_TRUE(m->hasEditor());
        std::unique_ptr<VTContraption> c = factory.createContraption(row.name, {});
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name(), std::string(row.name) + "_1");
        EXPECT_EQ(c->processor().inletCount(), row.inlets);
        EXPECT_EQ(c->processor().outletCount(), row.outlets);
    }
}

}  // namespace
