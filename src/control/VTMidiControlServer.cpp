#include "control/VTMidiControlServer.h"

#include <algorithm>
#include <thread>

#include "control/VTMidiControlClient.h"
#include "control/VTMidiLearnTarget.h"

namespace {

// How many dispatches the current thread is inside. A client or learn target that changes the
// registrations from within its own call must not wait for itself.
thread_local int dispatchDepth = 0;

struct DispatchScope {
    DispatchScope(std::atomic<unsigned>& epoch, std::atomic<int> (&readers)[2])
        : readers_(readers[epoch.load() & 1u]) {
        readers_.fetch_add(1);
        ++dispatchDepth;
    }
    ~DispatchScope() {
        --dispatchDepth;
        readers_.fetch_sub(1);
    }
    std::atomic<int>& readers_;
};

bool byKey(int key, const auto& entry) { return key < entry.key; }

}  // namespace

VTMidiControlServer::VTMidiControlServer() : current_(std::make_unique<Table>()) {
    table_.store(current_.get());
}

VTMidiControlServer::~VTMidiControlServer() {
    // Clients still registered outlive the server only by mistake; they must not call back.
    const std::lock_guard lock(writeMutex_);
    for (const Entry& e : *current_) e.client->serverGone(this);
    table_.store(nullptr);
    waitForReaders();
}

VTMidiControlServer& VTMidiControlServer::global() {
    static VTMidiControlServer server;
    return server;
}

void VTMidiControlServer::waitForReaders() {
    if (dispatchDepth > 0) return;  // freed by a later change from outside any dispatch
    // Dispatches that begin from now on count in the other slot and see the new table (it was
    // stored before the epoch moved on); only those counted in the old slot may hold the old
    // one. Both slots are drained, so whatever an earlier change retired is free as well.
    for (int round = 0; round < 2; ++round) {
        const unsigned old = epoch_.fetch_add(1);
        while (readers_[old & 1u].load() != 0) std::this_thread::yield();
    }
    retired_.clear();
}

void VTMidiControlServer::publish(std::unique_ptr<Table> table) {
    table_.store(table.get());
    retired_.push_back(std::move(current_));
    current_ = std::move(table);
    waitForReaders();
}

void VTMidiControlServer::registerClient(int key, VTMidiControlClient* client) {
    if (client == nullptr) return;
    const std::lock_guard lock(writeMutex_);
    auto table = std::make_unique<Table>(*current_);
    // After every entry of the same key, so clients of a key keep the order they came in.
    const auto at = std::upper_bound(table->begin(), table->end(), key, byKey<Entry>);
    table->insert(at, Entry{key, client});
    publish(std::move(table));
}

void VTMidiControlServer::unregisterClient(int key, VTMidiControlClient* client) {
    const std::lock_guard lock(writeMutex_);
    const auto found = std::find_if(current_->begin(), current_->end(), [&](const Entry& e) {
        return e.key == key && e.client == client;
    });
    if (found == current_->end()) return;
    auto table = std::make_unique<Table>(*current_);
    table->erase(table->begin() + (found - current_->begin()));
    publish(std::move(table));
}

int VTMidiControlServer::clientCount(int key) const {
    const std::lock_guard lock(writeMutex_);
    return static_cast<int>(std::count_if(current_->begin(), current_->end(),
                                          [&](const Entry& e) { return e.key == key; }));
}

void VTMidiControlServer::setLearnTarget(VTMidiLearnTarget* target) { learnTarget_.store(target); }

void VTMidiControlServer::clearLearnTarget() {
    learnTarget_.store(nullptr);
    // A dispatch may have taken the target just before: let it finish its call.
    const std::lock_guard lock(writeMutex_);
    waitForReaders();
}

std::uint8_t VTMidiControlServer::controllerValue(int channel, int controller) const {
    if (channel < 0 || channel > 15 || controller < 0 || controller > 63) return 0;
    return controllerValues_[channel][controller];
}

void VTMidiControlServer::deliver(const Table& table, int key, int value) {
    const auto first = std::lower_bound(table.begin(), table.end(), key,
                                        [](const Entry& e, int k) { return e.key < k; });
    for (auto it = first; it != table.end() && it->key == key; ++it) {
        if (it->client->enabled()) it->client->receive(value);
    }
}

void VTMidiControlServer::dispatch(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (status < 0xB0 || status >= 0xF0) return;  // notes, polyphonic pressure, system
    data1 &= 0x7F;
    data2 &= 0x7F;
    const DispatchScope scope(epoch_, readers_);
    const Table* table = table_.load();
    if (table == nullptr) return;

    const int type = status & 0xF0;
    const int channel = status & 0x0F;
    int learnKey = -1;
    switch (type) {
        case 0xB0: {
            const int n = data1;
            if (n >= 98) return;
            const int key7 = controlKey(kControlChange7, channel, n);
            deliver(*table, key7, data2 * 128);
            if (n <= 63) {
                controllerValues_[channel][n] = data2;
                const int m = n >= 32 ? n - 32 : n;
                const int key14 = controlKey(kControlChange14, channel, m);
                const int value =
                    controllerValues_[channel][m] * 128 + controllerValues_[channel][m + 32];
                deliver(*table, key14, value);
                learnKey = key14;
            } else {
                learnKey = key7;
            }
            break;
        }
        case 0xC0:
        case 0xD0:
            learnKey = status * 256;
            deliver(*table, learnKey, data1 * 128);
            break;
        case 0xE0:
            learnKey = status * 256;
            deliver(*table, learnKey, data2 * 128 + data1);
            break;
        default:
            return;
    }

    if (learnKey >= 0 && learnTarget_.load(std::memory_order_relaxed) != nullptr) {
        // Exactly one message is learned per request, even with two inputs racing.
        if (VTMidiLearnTarget* target = learnTarget_.exchange(nullptr)) {
            target->midiControllerLearned(learnKey);
        }
    }
}
