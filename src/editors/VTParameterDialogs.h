#pragma once

class SGPropertyInfo;
class VTContraption;

// The dialogs that the parameter pop-up menu of an editor window opens: the modulation set-up
// and the MIDI quick-map. The control layer installs them when it has them; until then the
// menu's items do nothing.
class VTParameterDialogs {
public:
    virtual ~VTParameterDialogs() = default;
    virtual void setupModulation(VTContraption& contraption, int propertyIndex) = 0;
    virtual void quickMapMidi(VTContraption& contraption, int propertyIndex,
                              const SGPropertyInfo& info) = 0;

    // Not owned; nullptr removes the dialogs.
    static void setCurrent(VTParameterDialogs* dialogs) { slot() = dialogs; }
    static VTParameterDialogs* current() { return slot(); }

private:
    static VTParameterDialogs*& slot() {
        static VTParameterDialogs* dialogs = nullptr;
        return dialogs;
    }
};
