#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "DocumentFixture.h"

namespace vantrel::test {
namespace {

// Every damaged text is read; the reader must come back, show at most one message, and leave a
// document that writes a text which reads back to itself.
class DamagedDocument : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        buildRichPatch(*doc);
        VTContraption* more = add("DLGranulator");
        ASSERT_NE(more, nullptr);
        ASSERT_NE(add("4x4Matrix"), nullptr);
        ASSERT_NE(add("LoopPlayer"), nullptr);
        good = doc->WriteText();
        lines = splitLines(good);
    }

    // The result of reading `text`, after the checks every damaged text must pass.
    bool survives(const std::string& text) {
        box.messages.clear();
        const bool ok = readText(text);
        EXPECT_LE(box.messages.size(), 1u);
        const std::string after = doc->WriteText();
        EXPECT_TRUE(readText(after));
        EXPECT_EQ(doc->WriteText(), after);
        return ok;
    }

    std::string join(std::size_t count) const {
        std::string text;
        for (std::size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i] + "\n";
        return text;
    }

    std::string good;
    std::vector<std::string> lines;
};

TEST_F(DamagedDocument, CutOffAtEveryLineAndInsideEveryLine) {
    ASSERT_GT(lines.size(), 20u);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE("lines kept: " + std::to_string(k));
        EXPECT_FALSE(survives(join(k)));
        // Cut in the middle of line k, and just before its line end.
        const std::string partial = join(k) + lines[k].substr(0, lines[k].size() / 2);
        EXPECT_FALSE(survives(partial));
        // Only the last line, "end", still counts without its line end.
        EXPECT_EQ(survives(join(k) + lines[k]), k + 1 == lines.size());
    }
    EXPECT_TRUE(survives(good));
    EXPECT_EQ(doc->WriteText(), good);
}

TEST_F(DamagedDocument, BinaryGarbage) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t size : {1u, 7u, 100u, 4096u, 100000u}) {
        std::string noise(size, '\0');
        for (char& c : noise) c = static_cast<char>(byte(random));
        SCOPED_TRACE(size);
        EXPECT_FALSE(survives(noise));
        EXPECT_FALSE(survives(".vtx 0.6\n" + noise));
        EXPECT_FALSE(survives(".vtx 0.6\ncontraptions:\n\t" + noise));
        EXPECT_FALSE(survives(".vtx 0.6\nconnections:\n\t" + noise));
        EXPECT_FALSE(survives(".vtx 0.6\ncontrollers:\n\tTestGen_1\t" + noise));
        EXPECT_FALSE(survives(".vtx 0.5\n" + noise));
    }
    // A good document with bytes changed here and there.
    std::uniform_int_distribution<std::size_t> where(9, good.size() - 1);
    for (int round = 0; round < 150; ++round) {
        std::string text = good;
        for (int k = 0; k < 1 + round % 12; ++k)
            text[where(random)] = static_cast<char>(byte(random));
        SCOPED_TRACE(round);
        survives(text);
    }
}

TEST_F(DamagedDocument, OverlongLines) {
    const std::string huge(300000, 'x');
    const std::string digits(20000, '9');
    const std::vector<std::string> texts = {
        ".vtx 0.6 " + huge + "\nend\n",
        huge + "\n",
        ".vtx 0.6\n" + huge + "\nend\n",
        ".vtx 0.6\ncontraptions:\n\t" + huge + "\nend\n",
        ".vtx 0.6\ncontraptions:\n\tTestGen\t" + huge + "\t{ 0, 440, 1 }\nend\n",
        ".vtx 0.6\ncontraptions:\n\tTestGen\tTestGen_1\t{ " + digits + ", 440 }\t" + huge +
            "\nend\n",
        ".vtx 0.6\ntempo:\n\t" + digits + "\nend\n",
        ".vtx 0.6\nconnections:\n\t" + huge + "\t0\tx\t" + digits + "\nend\n",
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        survives(texts[i]);
    }
    // An overlong line in the middle of a good document costs only that line.
    std::string text = join(10) + "\t" + huge + "\n";
    for (std::size_t i = 10; i < lines.size(); ++i) text += lines[i] + "\n";
    EXPECT_TRUE(survives(text));
    EXPECT_EQ(doc->WriteText(), good);
}

TEST_F(DamagedDocument, NoEndLine) {
    ASSERT_EQ(lines.back(), "end");
    bool changed = false;
    EXPECT_FALSE(readText(join(lines.size() - 1), &changed));
    EXPECT_TRUE(changed);
    // Everything before the missing end was read.
    std::string expected = good;
    EXPECT_EQ(doc->WriteText(), expected);
}

TEST_F(DamagedDocument, ADeviceKindTwice) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
        if (line.rfind("\tSoundOut\tSoundOut\t", 0) == 0) text += line + "\n";
        if (line.rfind("\tSoundIn\tSoundIn\t", 0) == 0) text += line + "\n" + line + "\n";
    }
    EXPECT_TRUE(survives(text));
    EXPECT_EQ(doc->WriteText(), good);
}

}  // namespace
}  // namespace vantrel::test
