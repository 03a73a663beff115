#pragma once

#include <istream>
#include <ostream>
#include <string>

// The sections of a document that belong to whoever shows it (the main window's pane layout).
// The document owns the handler it is given and offers it every section it does not handle
// itself; the handler never sees the patch. This base handles nothing, which is what a program
// without windows (the command-line render) needs.
class VTDocAppData {
public:
    virtual ~VTDocAppData() = default;

    // Offered a section line (without its line end) before the document looks at its own
    // sections; the stream stands at the start of the line after it. Returns true when the
    // section was recognised and its entries consumed. A handler must never read past the
    // section's last tab-prefixed line.
    virtual bool ReadSection(const std::string& name, std::istream& in) {
        (void)name;
        (void)in;
        return false;
    }
    // Writes the handler's sections, each a section line followed by its tab-prefixed entries,
    // every line ended by "\n".
    virtual void WriteSections(std::ostream& out) { (void)out; }
};
