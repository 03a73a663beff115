#pragma once

#include "document/VTPaneLayoutDocAppData.h"

class TMainForm;

// The main window's part of a document: "splitter:" and "visual1:" are read into the window's
// panes through its Patcher Pane and Properties Pane commands, the width limited to what the
// window allows, and written from the panes as they are. Writing also copies every patcher
// node's place into its contraption, so the entries that follow hold the places on screen.
class BraskDocAppData : public VTPaneLayoutDocAppData {
public:
    explicit BraskDocAppData(TMainForm& form) : form_(form) {}

    bool ReadSection(const std::string& name, std::istream& in) override;
    void WriteSections(std::ostream& out) override;

private:
    void TakeFromWindow();

    TMainForm& form_;
};
