#include <gtest/gtest.h>

#include <cmath>

#include "DocumentFixture.h"
#include "document/VTDocumentMessages.h"
#include "params/SGCStringProperty.h"

namespace vantrel::test {
namespace {

using FileFormat = DocumentTest;

TEST_F(FileFormat, WrittenDocumentReadsBackByteForByte) {
    buildRichPatch(*doc);
    layout->patcherWidth = 512;
    layout->propertiesShown = false;
    const std::string first = file("first.vtx");
    ASSERT_TRUE(doc->WriteFile(first));

    bool changed = false;
    ASSERT_TRUE(doc->ReadFile(first, changed));
    EXPECT_TRUE(changed);
    layout->patcherWidth = 1;  // the read must bring the stored layout back
    layout->propertiesShown = true;
    ASSERT_TRUE(doc->ReadFile(first, changed));
    const std::string second = file("second.vtx");
    ASSERT_TRUE(doc->WriteFile(second));

    EXPECT_EQ(readWholeFile(first), readWholeFile(second));
    EXPECT_EQ(layout->patcherWidth, 512u);
    EXPECT_FALSE(layout->propertiesShown);
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(FileFormat, ReadingRestoresNamesOrderTempoPresetsAndControllers) {
    buildRichPatch(*doc);
    const std::vector<std::string> before = names();
    const std::string path = file("patch.vtx");
    ASSERT_TRUE(doc->WriteFile(path));
    doc->Reset();
    ASSERT_EQ(doc->ContraptionCount(), 0);

    bool changed = false;
    ASSERT_TRUE(doc->ReadFile(path, changed));
    EXPECT_EQ(names(), before);
    EXPECT_NEAR(doc->Tempo(), 133.333, 0.0005);

    VTContraption* gen1 = doc->FindContraption("TestGen_1");
    VTContraption* gen2 = doc->FindContraption("TestGen_2");
    VTContraption* phaser = doc->FindContraption("Phaser_1");
    VTContraption* delay = doc->FindContraption("SDelay_1");
    ASSERT_TRUE(gen1 && gen2 && phaser && delay);
    EXPECT_EQ(gen1->nodePosition(), std::make_pair(40, 60));
    EXPECT_EQ(gen2->nodePosition(), std::make_pair(-5, 300));
    EXPECT_TRUE(gen1->isPresetSet(3));
    EXPECT_TRUE(delay->isPresetSet(19));
    EXPECT_FALSE(gen1->isPresetSet(0));
    EXPECT_NE(gen2->controllers().existingPresetController(), nullptr);
    EXPECT_FALSE(gen2->controllers().hasPerPropertyList());
    EXPECT_NE(delay->controllers().existingController(1), nullptr);
    EXPECT_FALSE(gen1->controllers().hasContent());

    // The phaser's inlet keeps its order of arrival: TestGen_2 first.
    ASSERT_EQ(phaser->connectionCount(), 2);
    EXPECT_EQ(phaser->connection(0).source, gen2);
    EXPECT_EQ(phaser->connection(1).source, gen1);
}

TEST_F(FileFormat, LineLayoutOfAWrittenDocument) {
    buildRichPatch(*doc);
    layout->patcherWidth = 640;
    layout->patcherShown = true;
    layout->propertiesShown = false;
    const std::string text = doc->WriteText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_EQ(text.back(), '\n');
    const std::vector<std::string> lines = splitLines(text);
    const std::vector<std::string> head = {
        ".vtx 0.6", "tempo:", "\t133.333", "splitter:", "\t640",
        "visual1:", "\t640",  "\t1",       "\t0",       "contraptions:"};
    ASSERT_GT(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 10), head);

    // One entry line per contraption in creation order, each the contraption's own text.
    for (int i = 0; i < doc->ContraptionCount(); ++i) {
        std::ostringstream entry;
        entry << '\t';
        doc->ContraptionAt(i)->writeEntry(entry);
        EXPECT_EQ(lines[10 + static_cast<std::size_t>(i)], entry.str());
    }
    const std::size_t connections = 10 + static_cast<std::size_t>(doc->ContraptionCount());
    ASSERT_EQ(lines[connections], "connections:");
    // Grouped by destination in creation order, inlets in order, each inlet in order made.
    const std::vector<std::string> expected = {
        "\tPhaser_1\t0\tSDelay_1\t0",  "\tDrums_1\t0\tSDelay_1\t1",   "\tTestGen_2\t0\tPhaser_1\t0",
        "\tTestGen_1\t0\tPhaser_1\t0", "\tSDelay_1\t0\tS2Mixer_1\t0", "\tSoundIn\t0\tS2Mixer_1\t1",
        "\tSDelay_1\t1\tS2Mixer_1\t2", "\tSoundIn\t1\tS2Mixer_1\t3",  "\tS2Mixer_1\t0\tSoundOut\t0",
        "\tS2Mixer_1\t1\tSoundOut\t1",
    };
    ASSERT_GE(lines.size(), connections + 1 + expected.size() + 4);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + connections + 1,
                                       lines.begin() + connections + 1 + expected.size()),
              expected);
    const std::size_t controllers = connections + 1 + expected.size();
    ASSERT_EQ(lines[controllers], "controllers:");
    EXPECT_EQ(lines[controllers + 1].rfind("\tTestGen_2\t", 0), 0u);
    EXPECT_EQ(lines[controllers + 2].rfind("\tSDelay_1\t", 0), 0u);
    EXPECT_EQ(lines[controllers + 3], "end");
    EXPECT_EQ(lines.size(), controllers + 4);
}

TEST_F(FileFormat, ATextWithLineBreaksStaysOnItsLine) {
    VTContraption* drums = add("Drums");
    auto& file =
        static_cast<SGCStringProperty&>(drums->processor().propertyTable().findProperty("File_0"));
    file.setValue("two\nlines\r.wav");
    add("TestGen");
    const std::string text = doc->WriteText();
    ASSERT_TRUE(readText(text));
    ASSERT_EQ(doc->ContraptionCount(), 2) << "the entry after it is still read";
    EXPECT_STREQ(static_cast<SGCStringProperty&>(
                     doc->ContraptionAt(0)->processor().propertyTable().findProperty("File_0"))
                     .text(),
                 "two\nlines\r.wav");
    EXPECT_EQ(doc->WriteText(), text);
}

TEST_F(FileFormat, CrLfLinesReadLikeLfLines) {
    buildRichPatch(*doc);
    const std::string text = doc->WriteText();
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    ASSERT_TRUE(readText(crlf));
    EXPECT_EQ(doc->WriteText(), text);
}

TEST_F(FileFormat, EmptyDocumentHasEmptySectionsAndKeepsItsTempo) {
    doc->SetTempo(90.5);
    const std::string text = doc->WriteText();
    EXPECT_NE(text.find("contraptions:\nconnections:\ncontrollers:\nend\n"), std::string::npos);
    add("TestGen");
    ASSERT_TRUE(readText(text));
    EXPECT_EQ(doc->ContraptionCount(), 0);
    EXPECT_DOUBLE_EQ(std::round(doc->Tempo() * 1000.0) / 1000.0, 90.5);
}

TEST_F(FileFormat, ReadingEmptiesTheDocumentAndStartsAt120) {
    add("TestGen");
    doc->SetTempo(77.0);
    doc->Start();
    doc->SetSongPosition(500.0);
    ASSERT_TRUE(
        readText(".vtx 0.6\ncontraptions:\n\tTestGen\tTestGen_4\t{ 0, 440, 1 }\t{ }{ }"
                 "{ 1 2 F Z Z 0 0 Z Z Z Z  }\t\nend\n"));
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_4"});
    EXPECT_DOUBLE_EQ(doc->Tempo(), 120.0);
    EXPECT_FALSE(doc->IsPlaying());
    EXPECT_EQ(doc->SongPosition(), 0.0);
}

// A real entry of each kind the tolerance cases need.
std::string entryOf(const char* maker, const char* name) {
    return std::string("\t") + maker + "\t" + name + "\t{ }\t{ }{ }{ 0 0 F Z Z 0 0 Z Z Z Z  }\t\n";
}

TEST_F(FileFormat, WhatTheReaderSkipsSilently) {
    const std::string text =
        ".vtx 0.6\n"
        "connections:\n\tTestGen_1\t0\tRingAM_1\t0\n"  // before the contraptions: nobody yet
        "contraptions:\n" +
        entryOf("NoSuchKind", "NoSuchKind_1") + entryOf("TestGen", "TestGen_1") +
        entryOf("RingAM", "RingAM_1") + entryOf("SoundOut", "SoundOut") +
        entryOf("SoundOut", "SoundOut") +  // a device slot twice: the second is refused
        "mystery:\n\tanything\n\tat all\n"
        "connections:\n"
        "\tTestGen_1\t0\tRingAM_1\t1\n"
        "\tTestGen_1\t0\tNobody_1\t0\n"
        "\tNobody_1\t0\tRingAM_1\t0\n"
        "\tTestGen_1\t1\tRingAM_1\t0\n"   // outlet out of range
        "\tTestGen_1\t0\tRingAM_1\t2\n"   // inlet out of range
        "\tTestGen_1\t-1\tRingAM_1\t0\n"  // not an index
        "\tTestGen_1\t99999999999\tRingAM_1\t0\n"
        "\tRingAM_1\t0\tSoundOut\t0\n"
        "controllers:\n\tNobody_1\t. *\n"
        "tempo:\n\t100\n"
        "tempo:\n\t101\n"  // sections may come again; each is acted on
        "end\n"
        "contraptions:\n" +
        entryOf("TestGen", "TestGen_9");  // after "end": never read
    ASSERT_TRUE(readText(text));
    EXPECT_TRUE(box.messages.empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"TestGen_1", "RingAM_1", "SoundOut"}));
    VTContraption* ring = doc->FindContraption("RingAM_1");
    ASSERT_EQ(ring->connectionCount(), 1);
    EXPECT_EQ(ring->connection(0).inlet, 1);
    EXPECT_EQ(doc->FindContraption("SoundOut")->connectionCount(), 1);
    EXPECT_NEAR(doc->Tempo(), 101.0, 1e-9);
}

TEST_F(FileFormat, LayoutSectionsAreOptionalAndTheWidthIsLimited) {
    layout->patcherWidth = 333;
    layout->patcherShown = false;
    ASSERT_TRUE(readText(".vtx 0.6\nend\n"));
    EXPECT_EQ(layout->patcherWidth, 333u);
    EXPECT_FALSE(layout->patcherShown);

    layout->maxWidth = 770;
    ASSERT_TRUE(readText(".vtx 0.6\nsplitter:\n\t5000\nvisual1:\n\t4000\n\t1\n\t0\nend\n"));
    EXPECT_EQ(layout->patcherWidth, 770u);
    EXPECT_TRUE(layout->patcherShown);
    EXPECT_FALSE(layout->propertiesShown);
}

TEST_F(FileFormat, WithoutLayoutHandlerTheLayoutSectionsAreSkipped) {
    doc.reset();
    doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                             std::make_unique<ScriptedDialogs>(log));
    ASSERT_TRUE(readText(".vtx 0.6\nsplitter:\n\t500\nvisual1:\n\t500\n\t1\n\t1\ncontraptions:\n" +
                         entryOf("TestGen", "TestGen_1") + "end\n"));
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
    EXPECT_EQ(doc->WriteText().find("splitter:"), std::string::npos);
}

// A handler that consumes its section clumsily and leaves the stream failed.
class ClumsyAppData : public VTDocAppData {
public:
    bool ReadSection(const std::string& name, std::istream& in) override {
        if (name != "clumsy:") return false;
        std::string word;
        in >> word;
        in.setstate(std::ios::failbit);
        return true;
    }
};

TEST_F(FileFormat, AHandlerThatFailsItsSectionDoesNotEndTheRead) {
    doc.reset();
    doc = VTDocument::Create(std::make_unique<ClumsyAppData>(),
                             std::make_unique<ScriptedDialogs>(log));
    ASSERT_TRUE(readText(".vtx 0.6\nclumsy:\n\tstuff\ncontraptions:\n" +
                         entryOf("TestGen", "TestGen_1") + "end\n"));
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
}

}  // namespace
}  // namespace vantrel::test
