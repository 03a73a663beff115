#pragma once

#include <string>

class VTContraption;
class VTDocument;

// Builds one patch in the document the way a user does in the main window: contraptions from
// the "New" menu, parameter values, and wires; then saves it.
class VTExamplePatch {
public:
    // Starts from an empty patch at `tempo` beats per minute.
    VTExamplePatch(VTDocument& document, double tempo = 120.0);

    // A contraption of the named kind, its node at (x, y); stops the program when the kind
    // is unknown or refuses, since the examples must hold exactly what they say.
    VTContraption* add(const std::string& maker, int x, int y);
    // Sets a parameter from its document text ("0.5", "1", "30 40", "samples/kick.wav").
    VTExamplePatch& set(VTContraption* c, const std::string& property, const std::string& text);
    void wire(VTContraption* from, int outlet, VTContraption* to, int inlet);
    // Both outlets of a stereo source to both inlets of a stereo destination.
    void wireStereo(VTContraption* from, VTContraption* to, int firstInlet = 0);
    void save(const std::string& path);

private:
    VTDocument& document_;
};
