#pragma once

#include <string>

// What the contraption framework needs of an editor window. The windows themselves belong to
// the user interface; the framework only opens, raises and closes them and keeps their place
// while they are closed.
//
// The contraption's form state owns the window. It is destroyed when the user closes it (the
// window asks TContraptionFormState::closeEditor, deferred until its own event handling is
// done) or when its contraption goes; its destructor must not call back into the contraption.
class VTEditorWindow {
public:
    virtual ~VTEditorWindow() = default;

    // Called once, right after the window was built: set the caption to the instance name, put
    // the window into the properties pane, place it at the kept position and show it.
    virtual void open(const std::string& caption, int editorLeft, int editorTop) = 0;
    // Bring the window to the front and scroll the properties pane so that it is in view.
    virtual void bringIntoView() = 0;
    // The window's position in the pane's content coordinates (window position plus the pane's
    // scroll offsets).
    virtual int contentLeft() const = 0;
    virtual int contentTop() const = 0;
};
