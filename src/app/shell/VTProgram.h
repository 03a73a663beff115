#pragma once

#include <functional>

#include "app/shell/VTStartup.h"

// The program with its windows: the application object, the start-up, the message loop and
// the shut-down. Besides the switches and the document, "--screenshot FILE" saves a picture of
// the main window once it is up (with the document open) and ends the program, so a picture
// can be taken on the offscreen platform.
namespace VTProgram {

// The exit code for arguments the program does not understand, as the command-line tools give.
inline constexpr int kBadArguments = 2;

// Returns the program's exit code. Without a maker the main window is TMainForm.
int run(int argc, char** argv, const VTStartup::MainWindowMaker& makeMainWindow = {});

// True when Qt can show windows: a display, or a platform chosen in QT_QPA_PLATFORM.
bool hasDisplay();

}  // namespace VTProgram
