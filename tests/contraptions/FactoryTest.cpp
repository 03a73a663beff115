#include <gtest/gtest.h>

#include <memory>

#include "ContraptionFixtures.h"

using vantrel::test::ParamsMaker;
using vantrel::test::registeredParamsMaker;

namespace {

VTContraptionFactory& factory() { return VTContraptionFactory::instance(); }

TEST(Factory, MakersKeepTheirRegistrationOrderAndTheFirstOfANameWins) {
    ParamsMaker& first = registeredParamsMaker();
    static ParamsMaker second("ParamsKind", "Effects", 1);
    static ParamsMaker other("OtherKind", "Effects", 2);
    int before = factory().makerCount();
    EXPECT_EQ(factory().registerMaker(second), before);
    EXPECT_EQ(factory().registerMaker(other), before + 1);
    EXPECT_EQ(second.index(), before);
    EXPECT_EQ(&factory().maker(before + 1), &other);
    EXPECT_EQ(factory().findMaker("ParamsKind"), &first);
    EXPECT_EQ(factory().findMaker("paramskind"), nullptr) << "names are case-sensitive";

    auto made = factory().createContraption("ParamsKind", {});
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(&made->maker(), &first);
}

TEST(Factory, AnUnknownMakerCreatesNothingAndAddsNothing) {
    int makers = factory().makerCount();
    int live = factory().contraptionCount();
    EXPECT_EQ(factory().createContraption("NoSuchKind", "NoSuchKind_1"), nullptr);
    EXPECT_EQ(factory().createContraption("", {}), nullptr);
    EXPECT_EQ(factory().findMaker("NoSuchKind"), nullptr);
    EXPECT_EQ(factory().makerCount(), makers);
    EXPECT_EQ(factory().contraptionCount(), live);
    EXPECT_EQ(factory().findContraption("NoSuchKind_1"), nullptr);
}

TEST(Factory, ListsLiveContraptionsInCreationOrderAndFindsThemByName) {
    registeredParamsMaker();
    int base = factory().contraptionCount();
    auto a = factory().createContraption("ParamsKind", {});
    auto b = factory().createContraption("ParamsKind", {});
    auto c = factory().createContraption("ParamsKind", {});
    ASSERT_EQ(factory().contraptionCount(), base + 3);
    EXPECT_EQ(&factory().contraption(base), a.get());
    EXPECT_EQ(&factory().contraption(base + 2), c.get());
    EXPECT_EQ(factory().findContraption(b->name()), b.get());

    std::string bName = b->name();
    b.reset();
    EXPECT_EQ(factory().contraptionCount(), base + 2);
    EXPECT_EQ(&factory().contraption(base + 1), c.get());
    EXPECT_EQ(factory().findContraption(bName), nullptr);
}

TEST(Factory, ANamesakeTakesTheNameOverWhenTheFoundOneGoes) {
    // Two makers can hand out the same name only through hand-edited text.
    ParamsMaker one("KindOne", "", 0);
    ParamsMaker two("KindTwo", "", 0);
    auto older = one.create("Same_4");
    auto newer = two.create("Same_4");
    EXPECT_EQ(factory().findContraption("Same_4"), older.get()) << "the older one is found";
    newer.reset();
    EXPECT_EQ(factory().findContraption("Same_4"), older.get());
    newer = two.create("Same_4");
    older.reset();
    EXPECT_EQ(factory().findContraption("Same_4"), newer.get()) << "never a destroyed one";
    newer.reset();
    EXPECT_EQ(factory().findContraption("Same_4"), nullptr);
}

}  // namespace
