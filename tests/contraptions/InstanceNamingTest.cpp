#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContraptionFixtures.h"
#include "contraptions/VTInstanceNumberer.h"

using vantrel::test::ParamsMaker;

namespace {

TEST(InstanceNumberer, GivesTheLowestFreeNumberUpTo1024) {
    VTInstanceNumberer numbers;
    EXPECT_EQ(numbers.next(), 1);
    EXPECT_EQ(numbers.next(), 2);
    numbers.take(4);
    EXPECT_EQ(numbers.next(), 3);
    EXPECT_EQ(numbers.next(), 5) << "4 was taken by hand";
    numbers.release(2);
    EXPECT_TRUE(numbers.isFree(2));
    EXPECT_EQ(numbers.next(), 2);

    VTInstanceNumberer full;
    for (int n = 1; n <= 1024; ++n) ASSERT_EQ(full.next(), n);
    EXPECT_TRUE(full.isFull());
    EXPECT_EQ(full.next(), 0) << "nothing is left";
    full.release(1000);
    EXPECT_EQ(full.next(), 1000);
}

TEST(InstanceNumberer, NumbersOutsideTheRangeAreNeverFreeAndNeverRecorded) {
    VTInstanceNumberer numbers;
    for (int n : {0, -1, 1025, 999999999}) {
        EXPECT_FALSE(numbers.isFree(n)) << n;
        numbers.take(n);
        numbers.release(n);
    }
    EXPECT_EQ(numbers.next(), 1);
    EXPECT_EQ(numbers.next(), 2) << "the bits of 32 words only";
}

TEST(InstanceNumberer, TrailingNumberNeedsAnUnderscoreAndOneToNineDigits) {
    struct Case {
        const char* name;
        int number;
    } cases[] = {
        {"TestGen_7", 7},
        {"Mixer_3", 3},
        {"_5", 5},
        {"TestGen_007", 7},
        {"TestGen_123456789", 123456789},
        {"TestGen_1234567890", 0},
        {"TestGen", 0},
        {"TestGen_", 0},
        {"TestGen7", 0},
        {"7", 0},
        {"", 0},
        {"TestGen_7x", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTContraptionMaker::trailingNumber(c.name), c.number) << c.name;
}

struct Naming : ::testing::Test {
    ParamsMaker maker{"TestGen", "Signal Generators", 1002};
    std::vector<std::unique_ptr<VTContraption>> made;

    const std::string& make(std::string_view requested = {}) {
        made.push_back(maker.create(requested));
        return made.back()->name();
    }
    void destroy(const std::string& name) {
        std::erase_if(made, [&](const auto& c) { return c->name() == name; });
    }
};

TEST_F(Naming, MenuCreatedInstancesAreNumberedAndNumbersComeBack) {
    EXPECT_EQ(make(), "TestGen_1");
    EXPECT_EQ(make(), "TestGen_2");
    EXPECT_EQ(make(), "TestGen_3");
    destroy("TestGen_2");
    EXPECT_EQ(make(), "TestGen_2");
    EXPECT_EQ(make(), "TestGen_4");
}

TEST_F(Naming, RequestedNameIsKeptWhenItsNumberIsFree) {
    EXPECT_EQ(make("TestGen_7"), "TestGen_7");
    EXPECT_FALSE(maker.numberer().isFree(7));
    EXPECT_EQ(make(), "TestGen_1");
    EXPECT_EQ(make("TestGen_7"), "TestGen_2") << "a second TestGen_7 gets a fresh number";
    destroy("TestGen_7");
    EXPECT_TRUE(maker.numberer().isFree(7)) << "the kept name's number is released";
}

TEST_F(Naming, RequestedNamesThatCannotKeepTheirNumberGetAFreshOne) {
    const char* refused[] = {
        "TestGen_1234567890",  // ten digits: the last nine follow a digit, not "_"
        "TestGen",             // no number
        "TestGen_0",           // numbers outside 1 ... 1024 cannot be recorded
        "TestGen_1025",
        "Test Gen_5",  // a name with whitespace would break the document line
        "TestGen\t_6",
    };
    int expected = 1;
    for (const char* name : refused)
        EXPECT_EQ(make(name), "TestGen_" + std::to_string(expected++)) << name;
    EXPECT_EQ(make(std::string(199, 'a') + "_9"), "TestGen_" + std::to_string(expected++))
        << "longer than a name token may be";
    EXPECT_EQ(make(std::string(197, 'a') + "_9"), std::string(197, 'a') + "_9");
}

TEST_F(Naming, ARequestedNameNeedNotStartWithTheMakersName) {
    ParamsMaker mixer("M2Mixer", "Mixers", 1016);
    auto a = mixer.create("Mixer_3");
    EXPECT_EQ(a->name(), "Mixer_3");
    auto b = mixer.create("M2Mixer_3");
    EXPECT_EQ(b->name(), "M2Mixer_1") << "number 3 is in use in this maker";
    EXPECT_EQ(make("Mixer_3"), "Mixer_3") << "each maker has its own numbers";
}

TEST(UnnumberedNaming, InstancesAreNamedAfterTheMakerOrTheRequest) {
    ParamsMaker out("SoundOut", "Input / Output", 1001, VTContraptionMaker::Naming::Unnumbered,
                    VTContraptionMaker::Editor::Present);
    auto a = out.create({});
    EXPECT_EQ(a->name(), "SoundOut");
    auto b = out.create("MainOut");
    EXPECT_EQ(b->name(), "MainOut");
    auto c = out.create("Main Out");
    EXPECT_EQ(c->name(), "SoundOut") << "an unusable request falls back on the maker's name";
    auto d = out.create("SoundOut_3");
    EXPECT_EQ(d->name(), "SoundOut_3");
    EXPECT_TRUE(out.numberer().isFree(3)) << "unnumbered makers take no numbers";
    d.reset();
    EXPECT_EQ(out.numberer().next(), 1) << "and release none";
}

TEST(NumberLimit, A1025thInstanceIsRefusedUntilANumberIsFree) {
    ParamsMaker maker("TestGen", "Signal Generators", 1002);
    std::vector<std::unique_ptr<VTContraption>> made;
    for (int n = 1; n <= 1024; ++n) made.push_back(maker.create({}));
    EXPECT_EQ(made.back()->name(), "TestGen_1024");
    EXPECT_FALSE(maker.isAvailable()) << "the New menu greys the kind out";
    EXPECT_EQ(maker.create({}), nullptr);
    EXPECT_EQ(maker.create("TestGen_5"), nullptr);

    made.erase(made.begin() + 99);  // TestGen_100
    EXPECT_TRUE(maker.isAvailable());
    auto again = maker.create({});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->name(), "TestGen_100");
}

}  // namespace
