#pragma once

#include <string>

// Result codes of device operations. 0 is success; a device adds the backend's own words to the
// text of a failure (see KDAudioDevice::ErrorText).
enum KDAudioError : int {
    KDAudioOk = 0,
    KDAudioErrUnspecified = 1,
    KDAudioErrBadDeviceId = 2,
    KDAudioErrAllocated = 4,
    KDAudioErrInvalidHandle = 5,
    KDAudioErrNoDriver = 6,
    KDAudioErrNoMem = 7,
    KDAudioErrInvalidParam = 11,
    KDAudioErrBadFormat = 32,
    KDAudioErrStillPlaying = 33,
    KDAudioErrUnprepared = 34,
    KDAudioErrQueueFull = 35,
    KDAudioErrDeviceLost = 36,
    KDAudioErrTimeout = 37,
};

// The plain text of a result code, without any backend detail.
const char* KDAudioErrorText(int code);

// "text: detail", or the text alone when there is no detail.
std::string KDAudioComposeError(int code, const char* detail);
