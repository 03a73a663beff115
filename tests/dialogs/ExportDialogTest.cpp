#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <cstring>

#include "ExportDialogFixture.h"
#include "app/dialogs/export/VTBusyIndicator.h"
#include "app/dialogs/export/VTSegmentedProgressBar.h"
#include "audio/VTSoundIn.h"
#include "control/VTTransport.h"
#include "wave/SharedSoundFilePaths.h"
#include "wave/VTWaveOutFile.h"

namespace vantrel::test {
namespace {

using Result = VTWaveExport::Result;

std::string text(const QLabel* label) { return label->text().toStdString(); }
std::string text(const QAbstractButton* button) { return button->text().toStdString(); }

std::int16_t sampleAt(const std::vector<char>& bytes, std::size_t index) {
    std::int16_t s;
    std::memcpy(&s, bytes.data() + 44 + 2 * index, 2);
    return s;
}
std::uint32_t fieldAt(const std::vector<char>& bytes, std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

TEST_F(ExportDialogTest, ControlsShowTheirCaptionsRangesAndDefaults) {
    RecordingHelpViewer help;
    constantPatch(0.0f);
    whenShown.push_back([&](TExportAsWaveForm& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Export as Wave File...");
        EXPECT_EQ(text(d.PatternRadioButton()), "&Clock Syncronised Pattern");
        EXPECT_EQ(text(d.InputFileRadioButton()), "&Processed SoundIn File");
        EXPECT_EQ(text(d.TimedSegmentRadioButton()), "&Timed Segment");
        EXPECT_TRUE(d.PatternRadioButton()->isChecked());
        EXPECT_FALSE(d.InputFileRadioButton()->isEnabled()) << "no sound input";

        struct Field {
            QDoubleSpinBox* edit;
            const char* name;
            double minimum, maximum, value;
        };
        for (const Field& f : {Field{d.PreRollNumberEdit(), "PreRollNumberEdit", 0, 1000, 0},
                               Field{d.RecordNumberEdit(), "RecordNumberEdit", 0.1, 10000, 1}}) {
            SCOPED_TRACE(f.name);
            EXPECT_EQ(f.edit->objectName().toStdString(), f.name);
            EXPECT_DOUBLE_EQ(f.edit->minimum(), f.minimum);
            EXPECT_DOUBLE_EQ(f.edit->maximum(), f.maximum);
            EXPECT_DOUBLE_EQ(f.edit->value(), f.value);
            EXPECT_DOUBLE_EQ(f.edit->singleStep(), 1.0);
        }
        EXPECT_EQ(text(d.PreRollUnitsLabel()), "(bars)");
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(bars)");
        EXPECT_FALSE(d.SoundInDurationLabel()->isVisible());
        EXPECT_EQ(text(d.SoundInDurationLabel()), "");
        EXPECT_EQ(text(d.ExportButton()), "Export");
        EXPECT_TRUE(d.ExportButton()->isDefault());
        EXPECT_EQ(text(d.CancelButton()), "Cancel");
        EXPECT_EQ(text(d.HelpButton()), "&Help");
        d.HelpButton()->click();
        EXPECT_TRUE(d.isVisible()) << "help leaves the dialog open";
        d.CancelButton()->click();
    });
    showExport();
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(help.topics, std::vector<int>{2002});
    EXPECT_TRUE(initialNames.empty()) << "Cancel asks for no file";
}

// At 120 BPM a bar is 88200 frames, two seconds. A recorded length gets one millisecond more
// in seconds; converting back truncates to a thousandth of a bar.
TEST_F(ExportDialogTest, ModeRuleConvertsTheLengthsBetweenBarsAndSeconds) {
    constantPatch(0.0f);
    doc().Transport().setTempo(120.0);
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.PreRollNumberEdit()->setValue(1.0);
        d.RecordNumberEdit()->setValue(1.0);
        d.TimedSegmentRadioButton()->click();
        EXPECT_DOUBLE_EQ(d.PreRollNumberEdit()->value(), 2.000);
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 2.001);
        EXPECT_EQ(text(d.PreRollUnitsLabel()), "(seconds)");
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(seconds)");
        EXPECT_TRUE(d.SoundInDurationLabel()->isVisible());
        EXPECT_FALSE(d.Settings().inBars);

        d.TimedSegmentRadioButton()->click();  // the same unit: nothing converts again
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 2.001);

        d.PatternRadioButton()->click();
        EXPECT_DOUBLE_EQ(d.PreRollNumberEdit()->value(), 1.0);
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 1.0) << "trunc(1000.5) / 1000";
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(bars)");
        EXPECT_FALSE(d.SoundInDurationLabel()->isVisible());

        d.TimedSegmentRadioButton()->click();
        d.RecordNumberEdit()->setValue(3.0);
        d.PatternRadioButton()->click();
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 1.5);
        EXPECT_TRUE(d.Settings().inBars);
        d.CancelButton()->click();
    });
    showExport();
}

TEST_F(ExportDialogTest, ModeRuleFollowsTheDocumentsTempo) {
    constantPatch(0.0f);
    doc().Transport().setTempo(60.0);  // a bar is four seconds
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.TimedSegmentRadioButton()->click();
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 4.001);
        d.CancelButton()->click();
    });
    showExport();
}

TEST_F(ExportDialogTest, LengthsModeAndUnitsStayFromOneOpeningToTheNext) {
    constantPatch(0.0f);
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.TimedSegmentRadioButton()->click();
        d.PreRollNumberEdit()->setValue(2.5);
        d.RecordNumberEdit()->setValue(7.25);
        d.CancelButton()->click();
    });
    whenShown.push_back([](TExportAsWaveForm& d) {
        EXPECT_TRUE(d.TimedSegmentRadioButton()->isChecked());
        EXPECT_DOUBLE_EQ(d.PreRollNumberEdit()->value(), 2.5);
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 7.25);
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(seconds)");
        EXPECT_TRUE(d.SoundInDurationLabel()->isVisible());
        d.CancelButton()->click();
    });
    showExport();
    showExport();
    EXPECT_EQ(showings, 2);
}

// A sound input playing a good one-second file, wired to the main output.
class ExportSoundInTest : public ExportDialogTest {
protected:
    void SetUp() override {
        ExportDialogTest::SetUp();
        {
            VTWaveOutFile writer(input, 44100, 2, true);
            ASSERT_TRUE(writer.isOpen());
            std::vector<std::int16_t> frames(2 * 44100, 1000);
            writer.writeFrames(frames.data(), 44100);
        }
        ASSERT_NE(AddFromMenu("SoundOut"), nullptr);
        ASSERT_NE(AddFromMenu("SoundIn"), nullptr);
        VTIOContraptionPool& pool = VTIOContraptionPool::instance();
        in = pool.soundIn();
        SGDynSigContext& context = doc().Context();
        std::lock_guard<SGMutex> hold(context.mutex());
        context.connect(in, 0, pool.soundOut(), 0);
        context.connect(in, 1, pool.soundOut(), 1);
        in->useADC.setValue(false);
        in->inputFile.setValue(input.c_str());
        in->openInputFile();
    }
    std::string input = path("input.wav");
    VTSoundIn* in = nullptr;
};

TEST_F(ExportSoundInTest, FileModeIsOfferedForAGoodFileWithItsDuration) {
    whenShown.push_back([](TExportAsWaveForm& d) {
        EXPECT_TRUE(d.InputFileRadioButton()->isEnabled());
        EXPECT_EQ(text(d.SoundInDurationLabel()), "SoundIn file duration is 1.00 seconds");
        EXPECT_FALSE(d.SoundInDurationLabel()->isVisible()) << "hidden while counting bars";
        d.InputFileRadioButton()->click();
        EXPECT_TRUE(d.SoundInDurationLabel()->isVisible());
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(seconds)");
        d.CancelButton()->click();
    });
    showExport();
    EXPECT_TRUE(dialog().InputFileRadioButton()->isChecked());
}

// The file mode is kept only while it can run; otherwise its seconds go to the timed segment.
TEST_F(ExportSoundInTest, FileModeIsWithdrawnWhenTheInputTakesTheDevice) {
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.InputFileRadioButton()->click();
        d.RecordNumberEdit()->setValue(3.0);
        d.CancelButton()->click();
    });
    whenShown.push_back([](TExportAsWaveForm& d) {
        EXPECT_FALSE(d.InputFileRadioButton()->isEnabled());
        EXPECT_EQ(text(d.SoundInDurationLabel()), "");
        EXPECT_TRUE(d.TimedSegmentRadioButton()->isChecked());
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 3.0);
        d.CancelButton()->click();
    });
    showExport();
    in->useADC.setValue(true);
    showExport();
}

TEST_F(ExportDialogTest, ExportWritesWhatTheMainOutputSends) {
    constantPatch(0.25f);
    const std::string file = path("pattern.wav");
    files.push_back(file);
    std::vector<std::string> lines;
    bool animated = false;
    duringExport = [&](TProgressForm& p) {
        lines.push_back(text(p.FirstLine()) + "|" + text(p.SecondLine()));
        animated = animated || p.Animation()->isRunning();
        EXPECT_EQ(p.windowTitle().toStdString(), "Exporting Wave File...");
    };
    const std::string untitled = sharedSoundFilePaths().outputDialogDirectory() + "/Untitled.wav";
    whenShown.push_back([](TExportAsWaveForm& d) { d.ExportButton()->click(); });
    showExport();

    EXPECT_FALSE(dialogVisibleInChooser) << "the dialog steps aside for the chooser";
    ASSERT_EQ(initialNames.size(), 1u);
    EXPECT_EQ(initialNames[0], untitled);
    EXPECT_EQ(dialog().LastResult(), Result::Completed);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Pre-rolling...|");
    EXPECT_EQ(lines.back(), "Exporting to:|" + file);
    EXPECT_TRUE(animated);
    EXPECT_FALSE(progress().Animation()->isRunning());
    EXPECT_FLOAT_EQ(progress().progress(), 1.0f);

    // One bar at 120 BPM: 88200 stereo frames of trunc(0.25 x 32767).
    const std::vector<char> bytes = bytesOf(file);
    ASSERT_EQ(bytes.size(), 44u + 88200u * 4u);
    EXPECT_EQ(fieldAt(bytes, 40), 88200u * 4u);
    EXPECT_EQ(sampleAt(bytes, 0), 8191);
    EXPECT_EQ(sampleAt(bytes, 2 * 88200 - 1), 8191);
    EXPECT_EQ(sharedSoundFilePaths().outputDialogDirectory(), dir.path().toStdString());

    // The next export starts at the file chosen last.
    whenShown.push_back([](TExportAsWaveForm& d) { d.ExportButton()->click(); });
    showExport();
    ASSERT_EQ(initialNames.size(), 2u);
    EXPECT_EQ(initialNames[1], file);
    EXPECT_FALSE(dialog().LastResult().has_value());
}

TEST_F(ExportDialogTest, SecondsModeWritesTheSecondsAsked) {
    constantPatch(-0.5f);
    const std::string file = path("timed.wav");
    files.push_back(file);
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.TimedSegmentRadioButton()->click();
        d.PreRollNumberEdit()->setValue(0.0);
        d.RecordNumberEdit()->setValue(0.1);
        d.ExportButton()->click();
    });
    showExport();
    const std::vector<char> bytes = bytesOf(file);
    ASSERT_EQ(bytes.size(), 44u + 4410u * 4u);
    EXPECT_EQ(sampleAt(bytes, 1), -16383);
}

TEST_F(ExportDialogTest, CancelInTheFileChooserClosesTheDialog) {
    constantPatch(0.25f);
    files.push_back(std::nullopt);
    whenShown.push_back([](TExportAsWaveForm& d) { d.ExportButton()->click(); });
    showExport();
    EXPECT_EQ(showings, 1) << "not shown again";
    EXPECT_EQ(initialNames.size(), 1u);
    EXPECT_FALSE(dialog().LastResult().has_value());
    EXPECT_TRUE(box.messages.empty());
}

// Long enough for several chunks, so the export lets messages run while it records.
TEST_F(ExportDialogTest, CancelFromTheProgressWindowLeavesNoFile) {
    struct Case {
        const char* when;
        bool duringRecording;
    };
    constantPatch(0.25f);
    for (const Case& c : {Case{"pre-roll", false}, Case{"recording", true}}) {
        SCOPED_TRACE(c.when);
        const std::string file = path(std::string(c.when) + ".wav");
        files.push_back(file);
        bool fileWhileRecording = false;
        duringExport = [&](TProgressForm& p) {
            const bool recording = text(p.FirstLine()) == "Exporting to:";
            if (recording != c.duringRecording || p.progress() == 0.0f) return;
            fileWhileRecording = exists(file);
            p.CancelButton()->click();
            EXPECT_TRUE(p.isVisible()) << "the export closes the window, not the button";
            duringExport = nullptr;
        };
        whenShown.push_back([](TExportAsWaveForm& d) {
            d.TimedSegmentRadioButton()->click();
            d.PreRollNumberEdit()->setValue(10.0);
            d.RecordNumberEdit()->setValue(20.0);
            d.ExportButton()->click();
        });
        showExport();
        EXPECT_EQ(dialog().LastResult(), Result::Cancelled);
        EXPECT_EQ(fileWhileRecording, c.duringRecording);
        EXPECT_FALSE(exists(file));
        if (c.duringRecording) {
            EXPECT_EQ(text(progress().FirstLine()), "Cancelling...");
        }
    }
}

TEST_F(ExportDialogTest, ClosingTheProgressWindowCancelsAndItStaysOpen) {
    constantPatch(0.25f);
    const std::string file = path("closed.wav");
    files.push_back(file);
    duringExport = [&](TProgressForm& p) {
        if (p.progress() == 0.0f) return;
        p.close();
        EXPECT_TRUE(p.isVisible());
        EXPECT_TRUE(p.cancelRequested());
        duringExport = nullptr;
    };
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.TimedSegmentRadioButton()->click();
        d.PreRollNumberEdit()->setValue(0.0);
        d.RecordNumberEdit()->setValue(20.0);
        d.ExportButton()->click();
    });
    showExport();
    EXPECT_EQ(dialog().LastResult(), Result::Cancelled);
    EXPECT_FALSE(exists(file));
}

TEST_F(ExportDialogTest, NotEnoughDiskSpaceBringsTheDialogBackAsItWas) {
    constantPatch(0.25f);
    const std::string file = path("full.wav");
    files.push_back(file);
    std::vector<std::string> asked;
    dialog().SetFreeSpaceQuery([&](const std::string& f) -> std::optional<std::uint64_t> {
        asked.push_back(f);
        return 88200u * 4u + 2047u;  // one byte short of a bar at 120 BPM
    });
    whenShown.push_back([](TExportAsWaveForm& d) {
        d.RecordNumberEdit()->setValue(1.0);
        d.ExportButton()->click();
    });
    whenShown.push_back([](TExportAsWaveForm& d) {
        EXPECT_TRUE(d.PatternRadioButton()->isChecked());
        EXPECT_DOUBLE_EQ(d.RecordNumberEdit()->value(), 1.0);
        EXPECT_EQ(text(d.RecordUnitsLabel()), "(bars)");
        d.CancelButton()->click();
    });
    showExport();

    EXPECT_EQ(showings, 2);
    EXPECT_EQ(asked, std::vector<std::string>{file});
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].caption, "Not enough disk space");
    EXPECT_EQ(box.messages[0].text,
              "There is not enough space on the specified drive to export\rthe file. Reduce the "
              "export duration or select another drive.");
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Stop);
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(dialog().LastResult(), Result::NotEnoughDiskSpace);
}

TEST_F(ExportDialogTest, LiveAudioStopsForTheExportAndComesBack) {
    constantPatch(0.25f);
    const std::string file = path("live.wav");
    for (bool running : {true, false}) {
        SCOPED_TRACE(running);
        if (running) {
            ASSERT_TRUE(engine->StartAudio());
            ASSERT_TRUE(engine->WaveStream().Running());
        }
        files.push_back(file);
        bool audioDuringExport = false;
        duringExport = [&](TProgressForm&) {
            audioDuringExport = audioDuringExport || engine->IsAudioRunning();
        };
        whenShown.push_back([&](TExportAsWaveForm& d) {
            EXPECT_FALSE(engine->IsAudioRunning()) << "stopped before the dialog shows";
            EXPECT_FALSE(engine->WaveStream().Running());
            d.ExportButton()->click();
        });
        showExport();
        EXPECT_FALSE(audioInChooser);
        EXPECT_FALSE(audioDuringExport);
        EXPECT_EQ(dialog().LastResult(), Result::Completed);
        EXPECT_EQ(engine->IsAudioRunning(), running);
        EXPECT_EQ(engine->WaveStream().Running(), running);
        if (running) engine->StopAudio();
    }
}

TEST(ExportProgressBar, CellsFilledForAWidthAndAProgress) {
    struct Case {
        int width;
        float progress;
        int cells;
    };
    for (const Case& c : {Case{100, 0.0f, 0}, Case{100, 0.5f, 6}, Case{100, 0.51f, 7},
                          Case{100, 1.0f, 12}, Case{103, 1.0f, 12}, Case{7, 1.0f, 0},
                          Case{80, 0.1f, 1}, Case{80, 0.05f, 1}, Case{80, 2.0f, 10}}) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.progress));
        EXPECT_EQ(VTSegmentedProgressBar::filledCells(c.width, c.progress), c.cells);
    }
    EXPECT_EQ(VTSegmentedProgressBar::cellRect(2, 18), QRect(17, 1, 6, 16));
}

TEST(ExportProgressBar, DrawsCellsWithGapsInTheHighlightColour) {
    VTSegmentedProgressBar bar;
    bar.resize(100, 18);
    bar.setProgress(0.5f);  // six of twelve cells
    const QImage image = bar.grab().toImage();
    const QRgb fill = bar.palette().color(QPalette::Highlight).rgb();
    auto at = [&](int x, int y) { return image.pixel(x, y) == fill; };
    for (int cell = 0; cell < 12; ++cell) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(at(1 + 8 * cell, 1), cell < 6);
        EXPECT_EQ(at(6 + 8 * cell, 16), cell < 6);
    }
    EXPECT_FALSE(at(0, 5)) << "gap before the first cell";
    EXPECT_FALSE(at(7, 5)) << "gap after the first cell";
    EXPECT_FALSE(at(3, 0)) << "a clear top row";
    EXPECT_FALSE(at(3, 17)) << "a clear bottom row";
}

}  // namespace
}  // namespace vantrel::test
