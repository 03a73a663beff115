#pragma once

// The groups of the settings store, named as the program has always named them below its
// application key. Value names are given beside the code that reads and writes them.
namespace VTSettingsKeys {

inline constexpr const char* ClosedFiles = "Closed Files";
inline constexpr const char* MainWindow = "Main Window";
inline constexpr const char* DontRequestInitialHelp = "Don't Request Initial Help";
inline constexpr const char* Meters = "Meters";
inline constexpr const char* Toolbars = "Toolbars";
inline constexpr const char* WaveStream = "WaveStream";
inline constexpr const char* MidiAndSync = "MidiAndSync";
inline constexpr const char* SFPaths = "SFPaths";

}  // namespace VTSettingsKeys
