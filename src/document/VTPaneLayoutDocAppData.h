#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "document/VTDocAppData.h"

// The main window's pane layout as plain values: the patcher pane's width and whether the
// patcher and properties panes are shown. It reads and writes the "splitter:" and "visual1:"
// sections exactly as the main window does, so a document read and written without a window
// keeps its layout. The window's own handler applies the values to its panes instead.
class VTPaneLayoutDocAppData : public VTDocAppData {
public:
    static constexpr std::uint32_t kDefaultWidth = 300;

    bool ReadSection(const std::string& name, std::istream& in) override;
    void WriteSections(std::ostream& out) override;

    std::uint32_t patcherWidth = kDefaultWidth;
    bool patcherShown = true;
    bool propertiesShown = true;
    // The widest the patcher pane may be (the window's client width less 30); stored widths
    // above it are cut down to it.
    std::uint32_t maxWidth = UINT32_MAX;

private:
    void setWidth(std::uint32_t width) { patcherWidth = width < maxWidth ? width : maxWidth; }
};
