#include "VTMessageBox.h"

#include <cstdio>

VTMessageAnswer VTMessageBox::show(const std::string& text, const std::string& caption,
                                   VTMessageButtons buttons, VTMessageIcon icon) {
    if (VTMessageBox* box = current()) return box->ask(text, caption, buttons, icon);
    // Texts may end in a line feed of their own or hold a carriage return as a line break.
    std::string line = text;
    for (char& c : line)
        if (c == '\r') c = '\n';
    while (!line.empty() && line.back() == '\n') line.pop_back();
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
    switch (buttons) {
        case VTMessageButtons::Ok: return VTMessageAnswer::Ok;
        case VTMessageButtons::YesNo: return VTMessageAnswer::No;
        case VTMessageButtons::YesNoCancel: return VTMessageAnswer::Cancel;
    }
    return VTMessageAnswer::Ok;
}
