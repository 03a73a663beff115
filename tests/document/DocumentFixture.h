#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "document/KDDocumentDialogs.h"
#include "document/VTDocument.h"
#include "document/VTPaneLayoutDocAppData.h"
#include "makers/VTMakerTable.h"
#include "support/RecordingMessageBox.h"

namespace vantrel::test {

// Answers the document's questions from a script and records what it was asked.
class ScriptedDialogs : public KDDocumentDialogs {
public:
    enum class Save { Yes, No, Cancel };

    struct Log {
        int askSave = 0;
        int confirmRevert = 0;
        int openPath = 0;
        int savePath = 0;
        std::optional<std::string> savePathOffered;
    };

    explicit ScriptedDialogs(Log& log) : log_(log) {}

    bool AskSaveChanges(bool& cancelled) override {
        ++log_.askSave;
        const Save answer = saveAnswers.empty() ? Save::Cancel : saveAnswers.front();
        if (!saveAnswers.empty()) saveAnswers.pop_front();
        if (answer == Save::Cancel) cancelled = true;
        return answer == Save::Yes;
    }
    bool ConfirmRevert() override {
        ++log_.confirmRevert;
        return revertAnswer;
    }
    std::optional<std::string> GetOpenPath() override {
        ++log_.openPath;
        return openPath;
    }
    std::optional<std::string> GetSavePath(const std::optional<std::string>& current) override {
        ++log_.savePath;
        log_.savePathOffered = current;
        return savePath;
    }

    std::deque<Save> saveAnswers;
    bool revertAnswer = true;
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;

private:
    Log& log_;
};

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// A document with the real makers, a pane layout, scripted dialogs, a recording message box and
// a scratch directory of its own.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerAllMakers();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-doc-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        auto layout = std::make_unique<VTPaneLayoutDocAppData>();
        this->layout = layout.get();
        auto scripted = std::make_unique<ScriptedDialogs>(log);
        dialogs = scripted.get();
        doc = VTDocument::Create(std::move(layout), std::move(scripted));
        ASSERT_NE(doc, nullptr);
    }

    void TearDown() override {
        doc.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string file(const std::string& name) const { return (dir / name).string(); }

    VTContraption* add(const std::string& makerName) {
        VTContraptionMaker* maker = VTContraptionFactory::instance().findMaker(makerName);
        EXPECT_NE(maker, nullptr) << makerName;
        return maker ? doc->AddContraption(maker->index()) : nullptr;
    }

    // Reads a text as a document file; the result of ReadFile.
    bool readText(const std::string& text, bool* changedOut = nullptr) {
        const std::string path = file("in.vtx");
        writeWholeFile(path, text);
        bool changed = false;
        const bool ok = doc->ReadFile(path, changed);
        if (changedOut) *changedOut = changed;
        return ok;
    }

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (int i = 0; i < doc->ContraptionCount(); ++i)
            result.push_back(doc->ContraptionAt(i)->name());
        return result;
    }

    static std::string paramsText(const VTContraption& c) {
        std::ostringstream out;
        c.processor().writeProperties(out);
        return out.str();
    }

    std::filesystem::path dir;
    RecordingMessageBox box;
    ScriptedDialogs::Log log;
    ScriptedDialogs* dialogs = nullptr;
    VTPaneLayoutDocAppData* layout = nullptr;
    std::unique_ptr<VTDocument> doc;
};

// A document of a few kinds, with fan-in connections made out of creation order, non-default
// parameters, presets, controllers and an odd tempo.
inline void buildRichPatch(VTDocument& doc) {
    auto make = [&doc](const char* name) {
        VTContraptionMaker* maker = VTContraptionFactory::instance().findMaker(name);
        return maker ? doc.AddContraption(maker->index()) : nullptr;
    };
    VTContraption* gen1 = make("TestGen");
    VTContraption* gen2 = make("TestGen");
    VTContraption* drums = make("Drums");
    VTContraption* delay = make("SDelay");
    VTContraption* phaser = make("Phaser");
    VTContraption* mixer = make("S2Mixer");
    VTContraption* out = make("SoundOut");
    VTContraption* in = make("SoundIn");
    ASSERT_TRUE(gen1 && gen2 && drums && delay && phaser && mixer && out && in);
    // Fan-in: the later-made generator reaches the phaser first.
    doc.Connect(gen2, 0, phaser, 0);
    doc.Connect(gen1, 0, phaser, 0);
    doc.Connect(drums, 0, delay, 1);
    doc.Connect(phaser, 0, delay, 0);
    doc.Connect(delay, 1, mixer, 2);
    doc.Connect(delay, 0, mixer, 0);
    doc.Connect(in, 1, mixer, 3);
    doc.Connect(mixer, 0, out, 0);
    doc.Connect(mixer, 1, out, 1);
    doc.Connect(in, 0, mixer, 1);
    gen1->setNodePosition(40, 60);
    gen2->setNodePosition(-5, 300);
    std::istringstream value("0.25");
    gen1->processor().propertyTable().property(0).read(value);
    gen1->storePreset(3);
    delay->storePreset(19);
    ASSERT_NE(gen2->controllers().presetController(), nullptr);
    ASSERT_NE(delay->controllers().controllerFor(1), nullptr);
    doc.SetTempo(400.0 / 3.0);
}

}  // namespace vantrel::test
