#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;
class SGProperty;

// How every editor that plays a sound file asks for one: a wave-file dialog that starts at the
// present file, or in the directory chosen last; the directory of an accepted choice is
// remembered for the next time. The dialog itself can be replaced (tests answer it).
class VTSoundFileChooser {
public:
    using Dialog =
        std::function<std::optional<std::string>(QWidget* parent, const std::string& initial)>;

    // The dialog to show from now on; an empty one brings back the program's own.
    static void setDialog(Dialog dialog);

    // Asks for an existing wave file, starting at the stored name `current` (resolved along
    // the search directories) or, without one, at the remembered directory. Gives the full
    // path chosen, or none when the user cancels.
    static std::optional<std::string> choose(QWidget* parent, const std::string& current);

    // Asks for a wave file to record into ("Save Soundfile as...", an existing one is taken as
    // it is), starting at `current` or at "Untitled.wav" in the directory chosen last.
    static std::optional<std::string> chooseOutput(QWidget* parent, const std::string& current);

    // Asks as above for the file of a text property, and on acceptance stores the file's short
    // name there. Whether a file was chosen.
    static bool chooseInto(QWidget* parent, SGProperty& fileProperty);

    // A stored name as an editor shows it: with " !" when the file cannot be found.
    static QString caption(const std::string& name);

private:
    static Dialog& dialog();
    static std::optional<std::string> ask(QWidget* parent, const std::string& initial, bool output);
};
