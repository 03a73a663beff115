#pragma once

#include <string>

class VTContraption;
class VTDocument;
class VTMidiControlClient;
class VTPropertyController;

// One entry the mapping windows can edit: a contraption's preset number (index kPresetNumber)
// or one of its parameters. Only a parameter that can have a controller makes an entry.
class VTMappedParameter {
public:
    static constexpr int kPresetNumber = -1;

    VTMappedParameter(VTContraption& contraption, int index)
        : contraption_(&contraption), index_(index) {}

    // Whether the windows list this parameter of the contraption (the preset number always).
    static bool isListed(const VTContraption& contraption, int index);

    VTContraption& contraption() const { return *contraption_; }
    int index() const { return index_; }
    bool isPresetNumber() const { return index_ == kPresetNumber; }
    // A range parameter has two sources: its centre and its width.
    bool isRange() const;

    // "<instance>.<parameter>", as "Parameter:" shows it.
    std::string qualifiedName() const;
    // The parameter's name in the tree ("Preset Number" for the presets).
    std::string name() const;
    // "1 - 20" for the preset number, else the range in the parameter's units.
    std::string rangeText() const;

    // The controller, made on first use; none when no controller factory is installed.
    VTPropertyController* controller() const;
    // Source 0 (the only one, or a range's centre) or 1 (a range's width); none if absent.
    VTMidiControlClient* source(int which) const;

    // Whether the contraption still belongs to the document: the windows stay open while the
    // patch changes, so they check before touching what they show.
    bool isLiveIn(const VTDocument* document) const;

    bool operator==(const VTMappedParameter&) const = default;

private:
    VTContraption* contraption_;
    int index_;
};
