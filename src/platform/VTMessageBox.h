#pragma once

#include <string>

enum class VTMessageButtons { Ok, YesNo, YesNoCancel };
enum class VTMessageIcon { None, Warning, Stop, Information };
enum class VTMessageAnswer { Ok, Yes, No, Cancel };

// A modal message with a caption, a button set and an icon. The user interface installs a box
// drawn with its toolkit at start-up; tests install one that records and answers. Without one
// (the command line) the message goes to standard error and questions are answered Cancel, or
// No where there is no Cancel, so that nothing is destroyed or overwritten unasked.
class VTMessageBox {
public:
    virtual ~VTMessageBox() = default;
    virtual VTMessageAnswer ask(const std::string& text, const std::string& caption,
                                VTMessageButtons buttons, VTMessageIcon icon) = 0;

    // Not owned; nullptr removes the box.
    static void setCurrent(VTMessageBox* box) { slot() = box; }
    static VTMessageBox* current() { return slot(); }

    // Shows the message in the installed box, else on standard error.
    static VTMessageAnswer show(const std::string& text, const std::string& caption,
                                VTMessageButtons buttons = VTMessageButtons::Ok,
                                VTMessageIcon icon = VTMessageIcon::None);

private:
    static VTMessageBox*& slot() {
        static VTMessageBox* box = nullptr;
        return box;
    }
};
