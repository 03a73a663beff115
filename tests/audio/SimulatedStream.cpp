#include "SimulatedStream.h"

#include <chrono>
#include <future>
#include <thread>

#include "audio/EWaveError.h"

namespace vantrel::test {

std::string SimulatedStreamTest::StopWhileAdvancing() {
    auto stopped = std::async(std::launch::async, [this]() -> std::string {
        try {
            stream->StopStream();
        } catch (const EWaveError& e) {
            return e.what();
        }
        return "";
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (stopped.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        sim.Advance(frames());
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "StopStream did not return";
            break;
        }
    }
    return stopped.get();
}

}  // namespace vantrel::test
