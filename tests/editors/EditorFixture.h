#pragma once

// Editor windows under Qt's offscreen platform: one application for the whole program, the
// real maker table, and a properties pane without the main window.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "../support/QtTestEnvironment.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMakerTemplate.h"
#include "editors/TContraptionForm.h"
#include "editors/TPresetMenuForm.h"
#include "editors/VTEditorPreview.h"
#include "editors/VTFormHeader.h"
#include "editors/VTPresetButton.h"
#include "editors/VTPropertyValue.h"
#include "makers/VTMakerTable.h"
#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGPropertyUnits.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "wave/SharedSoundFilePaths.h"

namespace vantrel::test {

// One parameter of every bound kind.
class BindingParams : public SGSignalProcessor {
public:
    BindingParams() : SGSignalProcessor(0, 1) {}
    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        info.buildOnce([this](auto& add) {
            add(table, gain, "Gain", SGGainUnits::instance(), 0.0, 1.0);
            add(table, steps, "Steps", SGAbstractUnits::instance(), 0.0, 10.0);
            add(table, mute, "Mute", SGAbstractUnits::instance(), 0.0, 1.0);
            add(table, band, "Band", SGFrequencyUnits::instance(), 20.0, 4000.0);
        });
        return table.bind(info);
    }
    void process() override {}

    SGDoubleProperty gain{0.25};
    SGIntProperty steps{3};
    SGBoolProperty mute{true};
    SGRangeProperty band{100.0f, 1000.0f};
    SGStaticPropertyTable table;
};

class BindingParamsMaker : public VTContraptionMakerTemplate<BindingParams> {
public:
    BindingParamsMaker() : VTContraptionMakerTemplate("BindingTest", "", 0) {}
};

// Sends one mouse event straight to a widget, at a point in its own coordinates.
inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, p, b, b);
}
inline void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
inline void MoveHeld(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, held);
}

// Runs `inside` once the event loop turns (inside a modal menu, say).
inline void Later(std::function<void()> inside) { QTimer::singleShot(0, std::move(inside)); }

// A properties pane with editors, the document's modified notice counted.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        VTContraptionFactory::instance().setModifiedListener([this] { ++modified; });
        preview = std::make_unique<VTEditorPreview>();
        preview->resize(400, 300);
        preview->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    }
    void TearDown() override {
        preview.reset();
        VTContraptionFactory::instance().setModifiedListener(nullptr);
    }

    TContraptionForm& formOf(VTContraption& c) {
        return *static_cast<TContraptionForm*>(c.formState().editorWindow());
    }
    VTPropertiesPane& pane() { return preview->pane(); }
    // Makes the pane's view small, so that windows further out need scrolling.
    void viewSize(int w, int h) {
        preview->resize(w, h);
        preview->layout()->activate();
        pane().fitContent();
    }

    // Presses the preset button of a window and runs `inside` while the menu is open; the menu
    // must be closed by `inside`.
    void withPresetMenu(TContraptionForm& form, std::function<void(TPresetMenuForm&)> inside) {
        Later([inside] { inside(TPresetMenuForm::instance()); });
        QWidget* button = &form.presetButton();
        Press(button, QPoint(3, 3));
        Release(button, QPoint(3, 3));
    }

    // Inside an open preset menu: moves to a slot, right-clicks it and chooses an item of the
    // context menu (none: dismisses it). `seen` receives the enabled items' texts.
    static void chooseFromSlot(TPresetMenuForm& menu, int slot, QAction* item,
                               QStringList* seen = nullptr) {
        Later([&menu, item, seen] {
            QMenu& popup = menu.PopupMenu;
            if (seen)
                for (QAction* a : popup.actions())
                    if (!a->isSeparator() && a->isEnabled()) seen->append(a->text());
            if (item) {
                popup.setActiveAction(item);
                QTest::keyClick(&popup, Qt::Key_Return);
            } else {
                popup.close();
            }
        });
        const QPoint at = menu.cellRect(slot).center();
        MoveHeld(&menu, at, Qt::NoButton);
        Press(&menu, at, Qt::RightButton);
    }

    static void leftClickSlot(TPresetMenuForm& menu, int slot) {
        const QPoint at = menu.cellRect(slot).center();
        MoveHeld(&menu, at, Qt::NoButton);
        Press(&menu, at);
        Release(&menu, at);
    }

    std::unique_ptr<VTEditorPreview> preview;
    int modified = 0;
};

// A scratch folder for sound files, the program's one search directory while it lives.
class ScratchSoundFolder {
public:
    explicit ScratchSoundFolder(const std::string& tag)
        : path_(std::filesystem::temp_directory_path() /
                ("vantrel-" + tag + "-" + std::to_string(::getpid()))),
          saved_(sharedSoundFilePaths().searchPaths()) {
        std::filesystem::create_directories(path_);
        sharedSoundFilePaths().setSearchPaths({path_.string()});
    }
    ~ScratchSoundFolder() {
        sharedSoundFilePaths().setSearchPaths(saved_);
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    // A file that exists (its contents are not looked at), folders made as needed.
    std::filesystem::path touch(const std::string& name) const {
        const std::filesystem::path p = path_ / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p) << "RIFF";
        return p;
    }

private:
    std::filesystem::path path_;
    std::vector<std::string> saved_;
};

// The editor of one kind, opened through the real editor factory, and its processor's
// properties by name.
class KindFormTest : public EditorTest {
protected:
    template <class Form>
    Form& open(const std::string& maker) {
        c = preview->addEditor(maker, 10, 10);
        EXPECT_NE(c, nullptr) << maker;
        auto* form = dynamic_cast<Form*>(c ? c->formState().editorWindow() : nullptr);
        EXPECT_NE(form, nullptr) << maker << " has its own form";
        return *form;
    }
    SGProperty& property(const std::string& name) {
        return c->processor().propertyTable().findProperty(name);
    }
    double valueOf(const std::string& name) { return VTPropertyValue::get(property(name)); }
    // A value written elsewhere (a preset, a controller), shown in the window.
    void setFromOutside(TContraptionForm& form, const std::string& name, double v) {
        VTPropertyValue::set(property(name), v);
        form.propertyChanged(property(name), true);
    }
    // Drags a knob upwards by `pixels`, as the user would.
    static void dragUp(QWidget& knob, int pixels) {
        const QPoint from(knob.width() / 2, knob.height() / 2);
        Press(&knob, from);
        MoveHeld(&knob, from - QPoint(0, pixels));
        Release(&knob, from - QPoint(0, pixels));
    }
    // Drags a horizontal slider's thumb from one x to another.
    static void dragAcross(QWidget& slider, int fromX, int toX) {
        const int y = slider.height() / 2;
        Press(&slider, {fromX, y});
        MoveHeld(&slider, {toX, y});
        Release(&slider, {toX, y});
    }

    VTContraption* c = nullptr;
};

}  // namespace vantrel::test
