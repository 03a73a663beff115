#pragma once

#include "library/plugins/VSTPluginFolder.h"

// Start-up's second step after registerAllMakers(): scans the plug-in folders once and
// registers one maker per plug-in found, after every maker of the table (it calls
// registerAllMakers() first itself). Gives the tree the "VST Plugins" submenu is built from;
// the submenu is left out when the tree is empty. Later calls give the same tree and register
// nothing. Everything that reads documents (the main window, the command-line render) calls
// this before reading, so that plug-in contraptions in a document find their makers.
const VSTPluginFolder& registerPluginMakers();
