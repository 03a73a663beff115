#pragma once

#include <array>
#include <string>

// The note after a device name in the settings dialog's device grids: which channel pair of a
// multi-channel device a logical input or output gets, and whether that pair is shared with
// (mixed with, or split between) other rows. It follows the pairing the engine makes at start:
// rows on one device take its pairs in row order, wrapping round when there are more rows than
// pairs.
//
// `devices` holds the device index of each row (0 = none) and `channels` the channel count of
// the device of `row`.
std::string VTChannelNote(const std::array<int, 8>& devices, int row, int channels);
