#include "editors/io/VTDeviceUse.h"

namespace VTDeviceUse {
namespace {

std::function<void()>& listener() {
    static std::function<void()> installed;
    return installed;
}

}  // namespace

void setListener(std::function<void()> l) { listener() = std::move(l); }

void changed() {
    if (listener()) listener()();
}

}  // namespace VTDeviceUse
