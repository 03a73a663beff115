#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "control/KDMidiMessageHandler.h"

class VTMidiControlClient;
class VTMidiLearnTarget;

// Turns controller messages into control keys and 14-bit values, and hands each value to every
// client registered under its key, in the order they were added.
//
// A control key is (source type | channel) * 256 + number, with the source types:
//   0xB0 7-bit control change, controllers 0 ... 97 (values scaled by 128)
//   0xF0 14-bit control change, controllers 0 ... 31 paired with 32 ... 63
//   0xC0 program change, 0xD0 channel pressure, 0xE0 pitch bend (number 0)
//
// dispatch runs on the MIDI thread and never waits: it reads an immutable table of the clients,
// which registration replaces as a whole. A registration change waits until no dispatch still
// reads the table it replaced, so once unregisterClient (or clearLearnTarget) has returned, the
// client (or target) is never called again and may be destroyed.
class VTMidiControlServer : public KDMidiMessageHandler {
public:
    static constexpr std::uint8_t kControlChange7 = 0xB0;
    static constexpr std::uint8_t kControlChange14 = 0xF0;
    static constexpr std::uint8_t kProgramChange = 0xC0;
    static constexpr std::uint8_t kChannelPressure = 0xD0;
    static constexpr std::uint8_t kPitchBend = 0xE0;

    VTMidiControlServer();
    ~VTMidiControlServer();
    VTMidiControlServer(const VTMidiControlServer&) = delete;
    VTMidiControlServer& operator=(const VTMidiControlServer&) = delete;

    // The program's one server, made on first use and kept until exit.
    static VTMidiControlServer& global();

    static int controlKey(int type, int channel, int number) {
        return ((type | channel) << 8) + number;
    }

    // The controllers port's handler: one channel message.
    void dispatch(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void midiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        dispatch(status, data1, data2);
    }

    // UI thread. Registering the same client twice under a key delivers to it twice;
    // unregistering removes one entry of that client under that key.
    void registerClient(int key, VTMidiControlClient* client);
    void unregisterClient(int key, VTMidiControlClient* client);
    int clientCount(int key) const;

    // The window that learns the key of the next mappable message, or none.
    void setLearnTarget(VTMidiLearnTarget* target);
    void clearLearnTarget();
    VTMidiLearnTarget* learnTarget() const { return learnTarget_.load(); }

    // The last 7-bit value received for controller 0 ... 63 on a channel.
    std::uint8_t controllerValue(int channel, int controller) const;

private:
    struct Entry {
        int key;
        VTMidiControlClient* client;
    };
    using Table = std::vector<Entry>;

    void deliver(const Table& table, int key, int value);
    void publish(std::unique_ptr<Table> table);
    void waitForReaders();

    mutable std::mutex writeMutex_;  // orders registration changes; never taken by dispatch
    std::unique_ptr<Table> current_;
    std::vector<std::unique_ptr<Table>> retired_;
    std::atomic<const Table*> table_{nullptr};
    // Dispatches in progress, counted in two slots by the epoch they began in: a change waits
    // only for those that began before it, never for a stream of new ones.
    std::atomic<unsigned> epoch_{0};
    std::atomic<int> readers_[2] = {0, 0};
    std::atomic<VTMidiLearnTarget*> learnTarget_{nullptr};

    // Written by dispatch only.
    std::uint8_t controllerValues_[16][64] = {};
};
