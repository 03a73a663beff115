#include "RecordingCanvas.h"

#include "ui/KDControl.h"

void RecordingHost::RequestFocus() {
    if (grantFocus && control) control->SetFocused(true);
}

void RecordingHost::RequestSize(int w, int h) {
    if (control) control->Resize(w, h);
}
