#pragma once

#include <string>

class SGDynSigContext;

// The transport commands and the tempo of one document's clock: the main window's Play, Play
// From Start, Stop and Go to Start, and its tempo field. Starting real-time audio when a command
// starts playing is the caller's part (the toggles say when that is).
class VTTransport {
public:
    static constexpr double kDefaultTempo = 120.0;
    // The tempo field's range; the clock itself runs at any positive tempo (a chased clock).
    static constexpr double kMinFieldTempo = 1.0;
    static constexpr double kMaxFieldTempo = 240.0;
    // The timecode caption before anything has played.
    static constexpr const char* kStartTimecode = "000 \u00B7 0";

    explicit VTTransport(SGDynSigContext& context) : context_(context) {}

    double tempo() const;
    // Sets samples per tick from the tempo. A tempo that is not positive and finite would stop
    // or break the clock; it is refused (false) and nothing changes.
    bool setTempo(double bpm);
    double samplesPerTick() const;

    void play();           // from the current position
    void playFromStart();  // from tick 0
    void stop();
    bool isPlaying() const;
    void goToStart();  // stops and returns to tick 0
    double position() const;
    void setPosition(double ticks);

    // The Play button: stops when playing, else plays on. True when it started playing.
    bool togglePlay();
    // The "Play" menu item (Play From Start): stops when playing (the position stays), else
    // plays from tick 0. True when it started playing.
    bool togglePlayFromStart();

    // A new document: stopped at tick 0, at 120 BPM.
    void resetForNewDocument();

    // "bar · beat" for a position, bars from 0 and beats 1 ... 4, without leading zeros.
    static std::string timecodeText(double ticks);

private:
    SGDynSigContext& context_;
};
