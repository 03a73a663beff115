#include "platform/audio/KDAudioError.h"

const char* KDAudioErrorText(int code) {
    switch (code) {
        case KDAudioOk:
            return "The operation completed successfully.";
        case KDAudioErrBadDeviceId:
            return "The specified device identifier is out of range.";
        case KDAudioErrAllocated:
            return "The specified device is already in use.";
        case KDAudioErrInvalidHandle:
            return "The device handle is invalid.";
        case KDAudioErrNoDriver:
            return "The sound system is not available.";
        case KDAudioErrNoMem:
            return "Unable to allocate or lock memory.";
        case KDAudioErrInvalidParam:
            return "An invalid parameter was passed to a device function.";
        case KDAudioErrBadFormat:
            return "The device cannot play or record this sound format.";
        case KDAudioErrStillPlaying:
            return "Buffers are still queued on the device.";
        case KDAudioErrUnprepared:
            return "The buffer has not been prepared.";
        case KDAudioErrQueueFull:
            return "The device cannot queue more buffers.";
        case KDAudioErrDeviceLost:
            return "The sound device is no longer available.";
        case KDAudioErrTimeout:
            return "The sound device stopped responding.";
        default:
            return "An unspecified error occurred in the sound device.";
    }
}

std::string KDAudioComposeError(int code, const char* detail) {
    std::string text = KDAudioErrorText(code);
    if (detail && *detail) {
        if (!text.empty() && text.back() == '.') text.pop_back();
        text += ": ";
        text += detail;
    }
    return text;
}
