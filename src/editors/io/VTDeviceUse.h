#pragma once

#include <functional>

// Editors that change which sound devices the patch needs (the sound input switching between
// its device and a file) say so here; the main window listens and updates the engine.
namespace VTDeviceUse {

// The listener, or none.
void setListener(std::function<void()> listener);
void changed();

}  // namespace VTDeviceUse
