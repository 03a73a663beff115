#pragma once

// What the export dialog asks for: the kind of export and the two lengths, in bars or seconds.
enum class VTExportMode {
    Pattern,      // "&Clock Syncronised Pattern": lengths in bars of the tempo clock
    SoundInFile,  // "&Processed SoundIn File": lengths in seconds, the sound input's file rewound
    TimedSegment  // "&Timed Segment": lengths in seconds
};

struct VTExportSettings {
    // The ranges of the dialog's number fields.
    static constexpr double kMinPreRoll = 0.0;
    static constexpr double kMaxPreRoll = 1000.0;
    static constexpr double kMinRecord = 0.1;
    static constexpr double kMaxRecord = 10000.0;

    VTExportMode mode = VTExportMode::Pattern;
    double preRoll = 0.0;
    double record = 1.0;
    // Whether the two lengths hold bars (true) or seconds.
    bool inBars = true;
};

// Seconds are the unit of both file modes; only the pattern mode counts in bars.
inline bool vtModeCountsBars(VTExportMode mode) { return mode == VTExportMode::Pattern; }
