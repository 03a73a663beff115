#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

// Asks for the file an export writes, starting at `initialName`; none when the user cancels.
using VTExportFileChooser =
    std::function<std::optional<std::string>(QWidget* parent, const std::string& initialName)>;

// The program's chooser: "Save Pattern as...", wave files only, ".wav" added when the name has
// no extension, and a question before an existing file is overwritten.
std::optional<std::string> vtChooseExportFile(QWidget* parent, const std::string& initialName);
