#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "makers/VTMakerTable.h"

namespace {

VTContraptionFactory& factory() {
    registerAllMakers();
    return VTContraptionFactory::instance();
}

TEST(MakerTable, RegistersEveryBuiltKindOnceInTheTablesOrder) {
    int count = factory().makerCount();
    registerAllMakers();
    EXPECT_EQ(factory().makerCount(), count) << "a second call registers nothing";
    ASSERT_GE(count, 1);

    struct Row {
        const char* name;
        const char* category;
        int help;
        bool numbered;
        bool editor;
    } table[] = {
        {"TestGen", "Signal Generators", 1002, true, true},
        {"NastyReverb", "Effects", 1009, true, true},
        {"Flanger", "Effects", 1010, true, true},
        {"Phaser", "Effects", 1022, true, true},
        {"MParaEQ", "Filters", 1013, true, true},
        {"SParaEQ", "Filters", 1013, true, true},
        {"5Combs", "Filters", 1012, true, true},
        {"SDelay", "Effects", 1008, true, true},
    };
    int index = 0;
    for (const Row& row : table) {
        VTContraptionMaker* m = factory().findMaker(row.name);
        ASSERT_NE(m, nullptr) << row.name;
        EXPECT_EQ(m->index(), index) << row.name;
        EXPECT_EQ(&factory().maker(index), m);
        EXPECT_EQ(m->category(), row.category);
        EXPECT_EQ(m->helpContext(), row.help);
        EXPECT_EQ(m->unnumbered(), !row.numbered);
        EXPECT_EQ(m->hasEditor(), row.editor);
        ++index;
    }
}

TEST(MakerTable, EveryCategoryIsOneOfTheMenusCategories) {
    for (int i = 0; i < factory().makerCount(); ++i) {
        const std::string& category = factory().maker(i).category();
        bool known = category.empty();
        for (auto c : kMakerCategoryOrder) known = known || c == category;
        EXPECT_TRUE(known) << factory().maker(i).name() << ": " << category;
    }
}

TEST(TestGenKind, InstancesAreNumberedFromOneAndNumbersReturn) {
    std::vector<std::unique_ptr<VTContraption>> made;
    for (int i = 0; i < 3; ++i) made.push_back(factory().createContraption("TestGen", {}));
    EXPECT_EQ(made[0]->name(), "TestGen_1");
    EXPECT_EQ(made[1]->name(), "TestGen_2");
    EXPECT_EQ(made[2]->name(), "TestGen_3");
    EXPECT_NE(dynamic_cast<VTTestSignalGenerator*>(&made[0]->processor()), nullptr);
    EXPECT_EQ(made[0]->inletCount(), 0);
    EXPECT_EQ(made[0]->outletCount(), 1);
    made.erase(made.begin() + 1);
    made.push_back(factory().createContraption("TestGen", {}));
    EXPECT_EQ(made.back()->name(), "TestGen_2");
}

TEST(TestGenKind, StoredNamesAreKeptAndANewOneTakesTheLowestFreeNumber) {
    auto loaded = factory().createContraption("TestGen", "TestGen_7");
    EXPECT_EQ(loaded->name(), "TestGen_7");
    auto twin = factory().createContraption("TestGen", "TestGen_7");
    EXPECT_EQ(twin->name(), "TestGen_1");
    auto fresh = factory().createContraption("TestGen", {});
    EXPECT_EQ(fresh->name(), "TestGen_2");
}

TEST(TestGenKind, ANewGeneratorWritesTheDocumentedEntry) {
    auto c = factory().createContraption("TestGen", {});
    c->setNodePosition(40, 60);
    std::ostringstream out;
    c->writeEntry(out);
    std::string presets = "{ {  }";
    for (int k = 1; k < 20; ++k) presets += ", {  }";
    presets += " }";
    EXPECT_EQ(out.str(), "TestGen\tTestGen_1\t{ 0, 440, 1 }\t" + presets +
                             "{ }{ 40 60 F Z Z 0 0 Z Z Z Z  }\t");
}

}  // namespace
