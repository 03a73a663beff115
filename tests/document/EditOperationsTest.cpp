#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>

#include "DocumentFixture.h"
#include "document/KDMessageDocumentDialogs.h"

namespace vantrel::test {
namespace {

using EditOperations = DocumentTest;

TEST_F(EditOperations, OneDocumentAtATime) {
    EXPECT_EQ(VTDocument::Instance(), doc.get());
    EXPECT_EQ(VTDocument::Create(nullptr, std::make_unique<KDMessageDocumentDialogs>()), nullptr);
    doc.reset();
    EXPECT_EQ(VTDocument::Instance(), nullptr);
    doc = VTDocument::Create(nullptr, std::make_unique<KDMessageDocumentDialogs>());
    EXPECT_NE(doc, nullptr);
}

TEST_F(EditOperations, AddConnectDisconnectMarkTheDocument) {
    VTContraption* gen = add("TestGen");
    ASSERT_NE(gen, nullptr);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(gen->processor().context(), &doc->Context());
    EXPECT_EQ(gen->name(), "TestGen_1");
    VTContraption* out = add("SoundOut");
    ASSERT_NE(out, nullptr);

    // A successful save clears the flag; each change below sets it again.
    dialogs->savePath = file("x.vtx");
    ASSERT_TRUE(doc->Save());
    EXPECT_FALSE(doc->Connect(gen, 1, out, 0));  // no outlet 1: nothing made, nothing marked
    EXPECT_FALSE(doc->Connect(gen, 0, nullptr, 0));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->Connect(gen, 0, out, 1));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(out->connectionCount(), 1);

    ASSERT_TRUE(doc->Save());
    EXPECT_TRUE(doc->Disconnect(gen, 0, out, 1));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(out->connectionCount(), 0);

    ASSERT_TRUE(doc->Save());
    doc->DeleteContraption(gen);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(names(), std::vector<std::string>{"SoundOut"});
}

TEST_F(EditOperations, MakersAndDeviceSlots) {
    ASSERT_GT(doc->MakerCount(), 40);
    const auto info = doc->GetMakerInfo(0);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, "TestGen");
    EXPECT_EQ(info->category, "Signal Generators");
    EXPECT_FALSE(doc->GetMakerInfo(-1));
    EXPECT_FALSE(doc->GetMakerInfo(doc->MakerCount()));
    EXPECT_EQ(doc->AddContraption(doc->MakerCount()), nullptr);
    EXPECT_EQ(doc->AddContraption(-1), nullptr);
    EXPECT_FALSE(doc->CanCreate(-1));

    const int soundOut = VTContraptionFactory::instance().findMaker("SoundOut")->index();
    EXPECT_TRUE(doc->CanCreate(soundOut));
    VTContraption* out = doc->AddContraption(soundOut);
    ASSERT_NE(out, nullptr);
    EXPECT_FALSE(doc->CanCreate(soundOut));
    EXPECT_EQ(doc->AddContraption(soundOut), nullptr);
    doc->DeleteContraption(out);
    EXPECT_TRUE(doc->CanCreate(soundOut));
    EXPECT_EQ(doc->ContraptionCount(), 0);
}

TEST_F(EditOperations, ResetDestroysNewestFirstAndResetsTheClock) {
    VTContraption* a = add("TestGen");
    VTContraption* b = add("RingAM");
    ASSERT_TRUE(doc->Connect(a, 0, b, 0));
    EXPECT_EQ(doc->ContraptionAt(0), a);
    EXPECT_EQ(doc->ContraptionAt(1), b);
    EXPECT_EQ(doc->ContraptionAt(2), nullptr);
    doc->SetTempo(150.0);
    doc->Start();
    doc->SetSongPosition(960.0);
    doc->Reset();
    EXPECT_EQ(doc->ContraptionCount(), 0);
    EXPECT_TRUE(doc->Context().allPipes().empty());
    EXPECT_FALSE(doc->IsPlaying());
    EXPECT_EQ(doc->SongPosition(), 0.0);
    EXPECT_DOUBLE_EQ(doc->Tempo(), 120.0);
    // Names are free again.
    EXPECT_EQ(add("TestGen")->name(), "TestGen_1");
}

TEST_F(EditOperations, TempoMarksTheDocumentAndRefusesNonsense) {
    dialogs->savePath = file("t.vtx");
    ASSERT_TRUE(doc->Save());
    for (double bad : {0.0, -10.0, std::nan(""), HUGE_VAL}) {
        EXPECT_FALSE(doc->SetTempo(bad));
        EXPECT_FALSE(doc->IsModified());
    }
    EXPECT_TRUE(doc->SetTempo(97.0));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_NEAR(doc->Tempo(), 97.0, 1e-9);
}

TEST_F(EditOperations, ContraptionChangesMarkTheDocument) {
    VTContraption* gen = add("TestGen");
    dialogs->savePath = file("m.vtx");
    ASSERT_TRUE(doc->Save());
    gen->storePreset(0);
    EXPECT_TRUE(doc->IsModified());
}

// A locale that writes "133,333" and groups thousands with ".".
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(EditOperations, NumbersIgnoreTheUsersLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    // The C library too, where the system has such a locale.
    const std::string cPrevious = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) break;

    buildRichPatch(*doc);
    layout->patcherWidth = 12345;
    const std::string path = file("locale.vtx");
    ASSERT_TRUE(doc->WriteFile(path));
    const std::string text = readWholeFile(path);
    EXPECT_NE(text.find("tempo:\n\t133.333\n"), std::string::npos);
    EXPECT_NE(text.find("splitter:\n\t12345\n"), std::string::npos);
    EXPECT_EQ(text.find("133,333"), std::string::npos);
    bool changed = false;
    ASSERT_TRUE(doc->ReadFile(path, changed));
    EXPECT_NEAR(doc->Tempo(), 133.333, 0.0005);
    EXPECT_EQ(doc->WriteText(), text);

    std::setlocale(LC_NUMERIC, cPrevious.c_str());
    std::locale::global(previous);
}

}  // namespace
}  // namespace vantrel::test
