#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "params/SG8CharsProperty.h"
#include "params/SGBoolProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGDynamicPropertyTable.h"
#include "params/SGIntProperty.h"
#include "params/SGRangeProperty.h"
#include "support/TestProcessors.h"

using vantrel::test::ThreeParams;

namespace {

std::string written(const SGProperty& p) {
    std::ostringstream out;
    p.write(out);
    return out.str();
}

std::string written(SGPropertyTable& t) {
    std::ostringstream out;
    t.write(out);
    return out.str();
}

void clearAll(SGPropertyTable& t) {
    for (int i = 0; i < t.count(); ++i) t.property(i).testAndClearChanged();
}

TEST(PropertyText, EveryTypeWritesItsTextForm) {
    struct Case {
        std::unique_ptr<SGProperty> property;
        std::string text;
    };
    Case cases[] = {
        {std::make_unique<SGBoolProperty>(true), "1"},
        {std::make_unique<SGBoolProperty>(false), "0"},
        {std::make_unique<SGIntProperty>(-42), "-42"},
        {std::make_unique<SGDoubleProperty>(440.0), "440"},
        {std::make_unique<SGDoubleProperty>(0.25), "0.25"},
        {std::make_unique<SGDoubleProperty>(1234567.0), "1.23457e+06"},
        {std::make_unique<SGDoubleProperty>(-0.000125), "-0.000125"},
        {std::make_unique<SGRangeProperty>(0.25f, 0.75f), "0.25 0.75"},
        {std::make_unique<SGCStringProperty>("a\"b"), "\"a\\\"b\""},
        {std::make_unique<SGCStringProperty>("c:\\x"), "\"c:\\\\x\""},
        // Line ends are written so that the text never breaks the line it stands on.
        {std::make_unique<SGCStringProperty>("a\nb\r"), "\"a\\nb\\r\""},
        {std::make_unique<SGCStringProperty>("\\n"), "\"\\\\n\""},
        {std::make_unique<SGCStringProperty>(), "\"\""},
        {std::make_unique<SGCStringProperty>(""), "\"\""},
        {std::make_unique<SG8CharsProperty>(SGEightChars{{1, -1, 0, 0, 0, 0, 0, 127}}),
         "1 -1 0 0 0 0 0 127 "},
    };
    for (auto& c : cases) {
        EXPECT_EQ(written(*c.property), c.text);
        // And the text reads back into an equal value.
        auto copy = c.property->clone();
        std::istringstream in(c.text);
        copy->read(in);
        EXPECT_FALSE(in.fail()) << c.text;
        EXPECT_EQ(written(*copy), c.text);
    }
}

TEST(PropertyText, TextWithQuoteReadsBackTheSameThreeCharacters) {
    SGCStringProperty p;
    std::istringstream in("\"a\\\"b\"");
    p.read(in);
    EXPECT_STREQ(p.text(), "a\"b");
    std::istringstream multiLine("\"one\ntwo\"");
    p.read(multiLine);
    EXPECT_STREQ(p.text(), "one\ntwo");
}

TEST(PropertyText, ParseFailuresKeepTheValueAndMarkTheStream) {
    struct Case {
        std::unique_ptr<SGProperty> property;
        std::string input;
        std::string after;  // the text form after the failed read
    };
    Case cases[] = {
        {std::make_unique<SGIntProperty>(7), "x", "7"},
        {std::make_unique<SGIntProperty>(7), "99999999999", "7"},
        {std::make_unique<SGDoubleProperty>(1.5), "-", "1.5"},
        {std::make_unique<SGDoubleProperty>(1.5), "", "1.5"},
        {std::make_unique<SGBoolProperty>(true), "2", "0"},  // a bad flag reads as false
        {std::make_unique<SGRangeProperty>(1.0f, 2.0f), "0.5", "1 2"},
        {std::make_unique<SGCStringProperty>("keep"), "nope\"", "\"keep\""},
        {std::make_unique<SGCStringProperty>("keep"), "\"never closed", "\"keep\""},
        {std::make_unique<SGCStringProperty>("keep"), "\"ends in escape\\", "\"keep\""},
        {std::make_unique<SG8CharsProperty>(SGEightChars{{1, 2, 3, 4, 5, 6, 7, 8}}), "1 2 3",
         "1 2 3 4 5 6 7 8 "},
    };
    for (auto& c : cases) {
        c.property->testAndClearChanged();
        std::istringstream in(c.input);
        c.property->read(in);
        EXPECT_TRUE(in.fail()) << c.input;
        EXPECT_EQ(written(*c.property), c.after) << c.input;
        EXPECT_TRUE(c.property->isChanged()) << "a failed read still marks the property";
    }
}

TEST(PropertyText, NumbersNarrowAndWrapAsStored) {
    SGRangeProperty r;
    std::istringstream in("1e300 -1e300");
    r.read(in);
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(r.low(), FLT_MAX);
    EXPECT_EQ(r.high(), -FLT_MAX);

    SG8CharsProperty e;
    std::istringstream bytes("255 256 -129 1 2 3 4 5");
    e.read(bytes);
    EXPECT_EQ(written(e), "-1 0 127 1 2 3 4 5 ");

    SGDoubleProperty d;
    std::istringstream forms("  -2.5E-3");
    d.read(forms);
    EXPECT_EQ(d.value(), -2.5e-3);
}

TEST(PropertyText, OverlongTextIsRefusedAndTheLineStaysInStep) {
    SGCStringProperty p("old");
    std::string huge(SGCStringProperty::kMaxLength + 1, 'x');
    std::istringstream in("\"" + huge + "\" rest");
    p.read(in);
    EXPECT_TRUE(in.fail());
    EXPECT_STREQ(p.text(), "old");
    in.clear();
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, "rest");

    std::string longest(SGCStringProperty::kMaxLength, 'y');
    std::istringstream fits("\"" + longest + "\"");
    p.read(fits);
    EXPECT_FALSE(fits.fail());
    EXPECT_EQ(std::string(p.text()), longest);
}

TEST(PropertyChange, EveryWriteSetsTheBitAndTestingClearsIt) {
    SGDoubleProperty d(1.0);
    EXPECT_TRUE(d.isChanged()) << "constructed as changed";
    EXPECT_TRUE(d.testAndClearChanged());
    EXPECT_FALSE(d.testAndClearChanged());
    d.setValue(2.0);
    EXPECT_TRUE(d.testAndClearChanged());

    SGIntProperty i(0);
    i.testAndClearChanged();
    d.testAndClearChanged();
    d.assignFrom(i);  // other type: nothing
    EXPECT_FALSE(d.isChanged());
    EXPECT_EQ(d.value(), 2.0);
    SGDoubleProperty other(5.0);
    d.assignFrom(other);
    EXPECT_TRUE(d.isChanged());
    EXPECT_EQ(d.value(), 5.0);
    EXPECT_EQ(d.typeCode(), SGProperty::DoubleType);
    EXPECT_EQ(d.flags(), SGProperty::DoubleType | SGProperty::kChangedBit);

    auto c = other.clone();
    EXPECT_TRUE(c->isChanged());
}

TEST(PropertyChange, EqualTextChangesNothing) {
    SGCStringProperty s("same");
    s.testAndClearChanged();
    s.setValue("same");
    EXPECT_FALSE(s.isChanged());
    SGCStringProperty source("same");
    s.assignFrom(source);
    EXPECT_FALSE(s.isChanged());
    s.setValue("new");
    EXPECT_TRUE(s.testAndClearChanged());
    SGCStringProperty none;
    s.copyValue(none);  // from no text at all: the text goes, and the change is marked
    EXPECT_TRUE(s.isChanged());
    EXPECT_EQ(s.text(), nullptr);
    EXPECT_EQ(none.clone()->typeCode(), SGProperty::CStringType);
    EXPECT_EQ(static_cast<SGCStringProperty&>(*none.clone()).text(), nullptr);
}

TEST(PropertyTable, WritesAndReadsTheBraceList) {
    ThreeParams p;
    SGPropertyTable& t = p.propertyTable();
    EXPECT_EQ(written(t), "{ 0, 440, 1 }");

    clearAll(t);
    std::istringstream shortList("{ 0.5 }");
    t.read(shortList);
    EXPECT_FALSE(shortList.fail());
    EXPECT_EQ(p.amplitude.value(), 0.5);
    EXPECT_EQ(p.frequency.value(), 440.0);
    EXPECT_FALSE(p.frequency.isChanged());
    EXPECT_FALSE(p.waveform.isChanged());

    std::istringstream longList("{ 0.5, 220, 0, 7, 8 } after");
    t.read(longList);
    EXPECT_FALSE(longList.fail());
    EXPECT_EQ(written(t), "{ 0.5, 220, 0 }");
    std::string after;
    longList >> after;
    EXPECT_EQ(after, "after");

    clearAll(t);
    std::istringstream noBrace("0.5");
    t.read(noBrace);
    EXPECT_TRUE(noBrace.fail());
    EXPECT_FALSE(p.amplitude.isChanged());
}

TEST(PropertyTable, DamagedListsStopAtTheFaultOrTheEndOfInput) {
    struct Case {
        const char* text;
        const char* after;
        bool fails;
    };
    const Case cases[] = {
        {"{ 0.5, 220", "{ 0.5, 220, 1 }", true},     // input ends in the list
        {"{ 0.5, 22", "{ 0.5, 22, 1 }", true},       // ends in the middle of a value
        {"{ 0.5, ", "{ 0.5, 440, 1 }", true},        // ends after a separator
        {"{ 0.5; 220 }", "{ 0.5, 440, 1 }", true},   // wrong separator
        {"{ 0.5, x, 3 }", "{ 0.5, 440, 1 }", true},  // a value that does not parse
        {"{ 1, 2, 3, 4", "{ 1, 2, 3 }", true},       // surplus without a closing brace
        {"{", "{ 0, 440, 1 }", true},
        {"", "{ 0, 440, 1 }", true},
        {"{ }", "{ 0, 440, 1 }", false},
        {"{}", "{ 0, 440, 1 }", false},
        {"{0.5,220,0}", "{ 0.5, 220, 0 }", false},
    };
    for (const auto& c : cases) {
        ThreeParams p;
        std::istringstream in(c.text);
        p.propertyTable().read(in);
        EXPECT_EQ(in.fail(), c.fails) << c.text;
        EXPECT_EQ(written(p.propertyTable()), c.after) << c.text;
    }
}

TEST(PropertyTable, LookupsNeverGiveNothing) {
    ThreeParams p;
    SGPropertyTable& t = p.propertyTable();
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(&t.findProperty("Frequency"), &p.frequency);
    EXPECT_EQ(&t.findProperty("frequency"), &SGNullProperty);
    EXPECT_EQ(t.indexOf("frequency"), -1);
    EXPECT_EQ(t.indexOf("Waveform"), 2);
    EXPECT_EQ(&t.property(3), &SGNullProperty);
    EXPECT_EQ(&t.property(-1), &SGNullProperty);
    EXPECT_EQ(t.info(1).name, "Frequency");
    EXPECT_EQ(t.info(1).maximum, 20000.0);
    EXPECT_TRUE(SGNullProperty.value());
}

TEST(PropertyTable, OneDescriptionServesEveryInstance) {
    ThreeParams a, b;
    a.propertyTable();
    b.frequency.setValue(1000.0);
    EXPECT_EQ(&b.propertyTable().property(1), &b.frequency);
    EXPECT_EQ(&a.propertyTable().property(1), &a.frequency);
    EXPECT_EQ(written(a.propertyTable()), "{ 0, 440, 1 }");
    EXPECT_EQ(written(b.propertyTable()), "{ 0, 1000, 1 }");
}

TEST(PropertyTable, NewProcessorReportsEveryPropertyChangedOnce) {
    ThreeParams p;
    SGPropertyTable& t = p.propertyTable();
    for (int i = 0; i < t.count(); ++i) EXPECT_TRUE(t.property(i).testAndClearChanged()) << i;
    for (int i = 0; i < t.count(); ++i) EXPECT_FALSE(t.property(i).testAndClearChanged()) << i;
}

TEST(PropertyTable, ProcessorWithoutPropertiesWritesAnEmptyList) {
    vantrel::test::Sink s;
    EXPECT_EQ(s.propertyTable().count(), 0);
    std::ostringstream out;
    s.writeProperties(out);
    EXPECT_EQ(out.str(), "{  }");
    std::istringstream in("{ 1, 2 }");
    s.readProperties(in);
    EXPECT_FALSE(in.fail());
}

TEST(PropertyTable, DynamicTableFindsOwnedProperties) {
    SGDynamicPropertyTable::ClassInfo info;
    info.addProperty("Cutoff", nullptr, 0, 1);
    info.addProperty("Resonance", nullptr, 0, 1);
    SGDynamicPropertyTable t(&info);
    t.addProperty(std::make_unique<SGDoubleProperty>(0.5));
    t.addProperty(std::make_unique<SGDoubleProperty>(0.1));
    EXPECT_EQ(written(t), "{ 0.5, 0.1 }");
    EXPECT_EQ(t.indexOf("Resonance"), 1);
    EXPECT_EQ(&t.findProperty("Drive"), &SGNullProperty);
    std::istringstream in("{ 0.25, 0.75 }");
    t.read(in);
    EXPECT_EQ(written(t), "{ 0.25, 0.75 }");
}

}  // namespace
