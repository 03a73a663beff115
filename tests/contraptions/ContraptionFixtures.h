#pragma once

#include <memory>
#include <string>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMakerTemplate.h"
#include "contraptions/VTEditorFactory.h"
#include "support/TestProcessors.h"

namespace vantrel::test {

// A processor with the test generator's parameters that counts its resets and its
// destruction.
class CountingParams : public ThreeParams {
public:
    explicit CountingParams(int* destroyed = nullptr) : destroyed_(destroyed) {}
    ~CountingParams() override {
        if (destroyed_) ++*destroyed_;
    }
    void reset() override { ++resets; }
    int resets = 0;

private:
    int* destroyed_;
};

using ParamsMaker = VTContraptionMakerTemplate<CountingParams>;

// An editor window that records what the framework asks of it.
struct EditorLog {
    int built = 0;
    int destroyed = 0;
    int raised = 0;
    std::string caption;
    int openedLeft = 0;
    int openedTop = 0;
    // When set, the value it points at is copied into `watchedAtDestruction` as the window goes.
    const int* watch = nullptr;
    int watchedAtDestruction = -1;
};

class FakeEditor : public VTEditorWindow {
public:
    explicit FakeEditor(EditorLog& log) : log_(log) { ++log_.built; }
    ~FakeEditor() override {
        ++log_.destroyed;
        if (log_.watch) log_.watchedAtDestruction = *log_.watch;
    }
    void open(const std::string& caption, int left, int top) override {
        log_.caption = caption;
        log_.openedLeft = left;
        log_.openedTop = top;
        this->left = left;
        this->top = top;
    }
    void bringIntoView() override { ++log_.raised; }
    int contentLeft() const override { return left; }
    int contentTop() const override { return top; }
    int left = 0;
    int top = 0;

private:
    EditorLog& log_;
};

// Installs itself as the editor factory for its lifetime.
class FakeEditorFactory : public VTEditorFactory {
public:
    FakeEditorFactory() { VTEditorFactory::setCurrent(this); }
    ~FakeEditorFactory() override { VTEditorFactory::setCurrent(nullptr); }
    std::unique_ptr<VTEditorWindow> createEditor(const VTContraptionMaker&,
                                                 VTContraption& contraption) override {
        for_.push_back(&contraption);
        return std::make_unique<FakeEditor>(log);
    }
    EditorLog log;
    std::vector<VTContraption*> for_;
};

// Counts the document's "modified" notices for its lifetime.
class ModifiedCounter {
public:
    ModifiedCounter() {
        VTContraptionFactory::instance().setModifiedListener([this] { ++count; });
    }
    ~ModifiedCounter() { VTContraptionFactory::instance().setModifiedListener(nullptr); }
    int count = 0;
};

// Makers registered with the process-wide factory for the whole test program, as the real
// makers are.
inline ParamsMaker& registeredParamsMaker() {
    static ParamsMaker maker("ParamsKind", "Signal Generators", 4321);
    static bool registered = (VTContraptionFactory::instance().registerMaker(maker), true);
    (void)registered;
    return maker;
}

}  // namespace vantrel::test
