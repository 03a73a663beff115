#include <gtest/gtest.h>
#include <stdlib.h>

#include "DocumentFixture.h"
#include "document/VTVersion05Converter.h"

namespace vantrel::test {
namespace {

std::string presets(const std::string& first, const std::string& last) {
    std::string text = "{ " + first;
    for (int k = 1; k < 19; ++k) text += ", {  }";
    return text + ", " + last + " }";
}

const std::string kTail = "{ }{ 10 20 F Z Z 0 0 Z Z Z Z  }\t";

struct EntryCase {
    const char* label;
    std::string before;
    std::string after;
};

TEST(Version05Entries, BlockRules) {
    const std::vector<EntryCase> cases = {
        {"SDelay: the last value moves to the front",
         "SDelay\tSDelay_1\t{ 1, 2, 0.5, 0.25, 3 }\t" + presets("{ }", "{ 10, 20, 0.125, 1, 0 }") +
             kTail,
         "SDelay\tSDelay_1\t{ 3, 1, 2, 0.5, 0.25 }\t" + presets("{  }", "{ 0, 10, 20, 0.125, 1 }") +
             kTail},
        {"Phaser: the first two values become one range item",
         "Phaser\tPhaser_2\t{ 0.1, 0.5, 3 }\t" + presets("{ 100, 2000, 0.5, 1 }", "{ }") + kTail,
         "Phaser\tPhaser_2\t{ 0.1 0.5,  3 }\t" + presets("{ 100 2000,  0.5, 1 }", "{  }") + kTail},
        {"Flanger: the same rule",
         "Flanger\tFlanger_1\t{ 20, 4000, 0.3 }\t" + presets("{ }", "{ }") + kTail,
         "Flanger\tFlanger_1\t{ 20 4000,  0.3 }\t" + presets("{  }", "{  }") + kTail},
        {"reals in the 6-digit general format",
         "SDelay\tSDelay_1\t{ 1, 2, 0.1234567, 1e-7, 3 }\t" + presets("{ }", "{ }") + kTail,
         "SDelay\tSDelay_1\t{ 3, 1, 2, 0.123457, 1e-07 }\t" + presets("{  }", "{  }") + kTail},
        {"other kinds are copied", "TestGen\tTestGen_1\t{ 0, 440, 1 }\t{ }" + kTail,
         "TestGen\tTestGen_1\t{ 0, 440, 1 }\t{ }" + kTail},
        {"a block that does not follow the old layout: copied",
         "SDelay\tSDelay_1\t{ 1, 2, 0.5 }\t" + presets("{ }", "{ }") + kTail,
         "SDelay\tSDelay_1\t{ 1, 2, 0.5 }\t" + presets("{ }", "{ }") + kTail},
        {"a negative delay is no unsigned integer",
         "SDelay\tSDelay_1\t{ -1, 2, 0.5, 0.25, 3 }\t" + presets("{ }", "{ }") + kTail,
         "SDelay\tSDelay_1\t{ -1, 2, 0.5, 0.25, 3 }\t" + presets("{ }", "{ }") + kTail},
        {"fewer than 20 presets: copied", "Phaser\tPhaser_1\t{ 1, 2, 3 }\t{ { } }" + kTail,
         "Phaser\tPhaser_1\t{ 1, 2, 3 }\t{ { } }" + kTail},
        {"cut off: copied", "Flanger\tFlanger_1\t{ 1, 2", "Flanger\tFlanger_1\t{ 1, 2"},
        {"no tabs at all", "SDelay", "SDelay"},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(VTVersion05Converter::convertEntry(c.before), c.after);
    }
}

TEST(Version05Entries, OtherSectionsAreCopiedAndEndIsKept) {
    std::istringstream in(
        "tempo:\n\t95\r\nmystery:\n\ta\tb\ncontraptions:\n\tTestGen\tx\nend\nafter\n");
    std::ostringstream out;
    EXPECT_TRUE(VTVersion05Converter::convert(in, out));
    EXPECT_EQ(out.str(),
              ".vtx 0.6\ntempo:\n\t95\nmystery:\n\ta\tb\ncontraptions:\n\tTestGen\tx\nend\n");

    std::istringstream cut("tempo:\n\t95\n");
    std::ostringstream partial;
    EXPECT_FALSE(VTVersion05Converter::convert(cut, partial));
    EXPECT_EQ(partial.str(), ".vtx 0.6\ntempo:\n\t95\n");
}

// Points the temporary directory at a directory of the test's own, so what the reader leaves
// there can be seen.
class Version05Document : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        const char* old = getenv("TMPDIR");
        if (old) oldTmp = old;
        tmp = dir / "tmp";
        std::filesystem::create_directory(tmp);
        setenv("TMPDIR", tmp.c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp)
            setenv("TMPDIR", oldTmp->c_str(), 1);
        else
            unsetenv("TMPDIR");
        DocumentTest::TearDown();
    }
    bool tmpIsEmpty() const { return std::filesystem::is_empty(tmp); }

    std::string document05(bool withEnd) const {
        std::string text =
            ".vtx 0.5\ntempo:\n\t110\ncontraptions:\n"
            "\tSDelay\tSDelay_1\t{ 1, 2, 0.5, 0.25, 3 }\t" +
            presets("{ }", "{ }") + kTail + "\n\tPhaser\tPhaser_1\t{ 100, 2000, 3 }\t" +
            presets("{ }", "{ }") + kTail + "\nconnections:\n\tSDelay_1\t0\tPhaser_1\t0\n";
        return withEnd ? text + "end\n" : text;
    }

    std::filesystem::path tmp;
    std::optional<std::string> oldTmp;
};

TEST_F(Version05Document, IsRewrittenReadAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(readText(document05(true)));
    EXPECT_TRUE(box.messages.empty());
    EXPECT_TRUE(tmpIsEmpty());
    EXPECT_NEAR(doc->Tempo(), 110.0, 1e-9);
    VTContraption* delay = doc->FindContraption("SDelay_1");
    VTContraption* phaser = doc->FindContraption("Phaser_1");
    ASSERT_TRUE(delay && phaser);
    EXPECT_EQ(paramsText(*delay), "{ 3, 1, 2, 0.5, 0.25 }");
    SGPropertyTable& p = phaser->processor().propertyTable();
    std::ostringstream range;
    p.property(0).write(range);
    EXPECT_EQ(range.str(), "100 2000");
    std::ostringstream rate;
    p.property(1).write(rate);
    EXPECT_EQ(rate.str(), "3");
    EXPECT_EQ(phaser->connectionCount(), 1);
    // Saved again, it is a version 0.6 document.
    EXPECT_EQ(doc->WriteText().rfind(".vtx 0.6\n", 0), 0u);
}

TEST_F(Version05Document, AFailedReadAlsoLeavesNoTemporaryFile) {
    bool changed = false;
    EXPECT_FALSE(readText(document05(false), &changed));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(tmpIsEmpty());
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while opening the document.\n");
    EXPECT_NE(doc->FindContraption("Phaser_1"), nullptr);

    // Rewritten text that turns out to be no document.
    box.messages.clear();
    EXPECT_FALSE(readText(".vtx 0.5\n\x01\x02garbage\n"));
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(Version05Document, WithoutATemporaryDirectoryTheReadIsRefused) {
    add("TestGen");
    setenv("TMPDIR", (dir / "missing").c_str(), 1);
    bool changed = true;
    EXPECT_FALSE(readText(document05(true), &changed));
    EXPECT_FALSE(changed);
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while opening the document.\n");
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
}

}  // namespace
}  // namespace vantrel::test
