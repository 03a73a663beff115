#pragma once

#include <string>

// The sound files the example patches play, synthesised here so that every sample is ours:
// five drum hits, a two-bar stereo loop at 120 BPM and a sung-vowel drone for the granulator
// and the sound input. All are 16-bit at 44100 Hz.
namespace VTExampleSamples {

// Writes every file into `folder` (which must exist); false when one cannot be written.
bool writeAll(const std::string& folder);

}  // namespace VTExampleSamples
