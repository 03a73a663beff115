#include "platform/KDTextClipboard.h"

#include "platform/KDMemoryClipboard.h"

namespace {
KDTextClipboard* installed = nullptr;
}

KDTextClipboard& KDTextClipboard::current() {
    static KDMemoryClipboard fallback;
    return installed != nullptr ? *installed : fallback;
}

void KDTextClipboard::install(KDTextClipboard* clipboard) { installed = clipboard; }
