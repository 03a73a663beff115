#pragma once

#include <cstdint>
#include <memory>

#include "contraptions/VTEditorWindow.h"

class VTContraption;

// What a contraption keeps of its windows: the patcher node position, the editor window when
// one is open, and the editor's position in the properties pane while it is closed. Written
// into the contraption entry so that a document reopens its editors where they were.
class TContraptionFormState {
public:
    explicit TContraptionFormState(VTContraption& contraption) : contraption_(&contraption) {}
    // Closes the editor window if it is open.
    ~TContraptionFormState();
    TContraptionFormState(const TContraptionFormState&) = delete;
    TContraptionFormState& operator=(const TContraptionFormState&) = delete;

    // Opens the editor window through the maker if none is open (kinds without an editor, or a
    // program without a user interface, get none), then brings it into view.
    void showEditor();
    // Keeps the window's position, destroys it and marks the document modified. Called when the
    // user closes the window.
    void closeEditor();
    bool hasEditorWindow() const { return form_ != nullptr; }
    VTEditorWindow* editorWindow() const { return form_.get(); }

    // Keeps the given window's present position as the editor position.
    void savePosition(const VTEditorWindow& window);

    VTContraption& contraption() const { return *contraption_; }

    std::int32_t nodeX = 0;
    std::int32_t nodeY = 0;

    // The editor position: the open window's present one, otherwise the last one kept.
    std::int32_t editorLeft() const;
    std::int32_t editorTop() const;
    void setEditorPosition(std::int32_t left, std::int32_t top) {
        editorLeft_ = left;
        editorTop_ = top;
    }

private:
    VTContraption* contraption_;
    std::unique_ptr<VTEditorWindow> form_;
    std::int32_t editorTop_ = 0;
    std::int32_t editorLeft_ = 0;
};
