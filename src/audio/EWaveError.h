#pragma once

#include <stdexcept>
#include <string>

// A wave device failed. The message is the device's own error text; code is its result code.
class EWaveError : public std::runtime_error {
public:
    EWaveError(int code, const std::string& text) : std::runtime_error(text), code(code) {}
    int code;
};

// An input device failed to open, start, reset or close.
class EWaveInError : public EWaveError {
public:
    using EWaveError::EWaveError;
};

// An output device failed to open, pause, queue, restart or close.
class EWaveOutError : public EWaveError {
public:
    using EWaveError::EWaveError;
};
