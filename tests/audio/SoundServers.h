#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantrel::test {

// A program the test starts and always stops again: it dies with the test process as well.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] found on PATH with extra "NAME=value" environment entries; its output
    // goes to outputFile. False when it could not be started.
    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               const std::string& outputFile);
    bool Running();
    // SIGTERM, then SIGKILL when it has not ended after `graceMs`.
    void Stop(int graceMs = 2000);
    void Kill();  // SIGKILL at once, as a crash would end it
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

// A JACK server on the dummy driver at 44.1 kHz, under a name of its own; the test process's
// JACK clients connect to it (JACK_DEFAULT_SERVER).
class JackTestServer {
public:
    ~JackTestServer();
    // False (with the reason) when no JACK server can run here.
    bool Start(std::string& why);
    // Ends the server as a user quitting it would (a server killed outright would leave its
    // entry in JACK's machine-wide registry of servers, which has room for only eight).
    void Quit() { process_.Stop(5000); }
    const std::string& name() const { return name_; }
    const std::string& log() const { return log_; }

private:
    bool WaitReady(int timeoutMs);
    ChildProcess process_;
    std::string name_;
    std::string log_;
};

// A PulseAudio server with one null sink at 44.1 kHz stereo, in a private runtime directory;
// the test process's clients (the ALSA pulse plug-in behind ALSA's default device, parec) reach
// it through PULSE_SERVER.
class PulseTestServer {
public:
    ~PulseTestServer();
    bool Start(std::string& why);
    void Kill() { process_.Kill(); }
    std::string monitorSource() const { return "vantrel_null.monitor"; }
    const std::string& directory() const { return dir_; }
    // Records the null sink's monitor into `file` (raw s16le stereo) until StopRecording.
    // Returns once data arrives (parec takes a while to begin); false when none came.
    bool StartRecording(const std::string& file);
    void StopRecording() { recorder_.Stop(); }

private:
    bool WaitReady(int timeoutMs);
    ChildProcess process_;
    ChildProcess recorder_;
    std::string dir_;
};

// Reads a whole file of raw 16-bit stereo frames into floats (× 2^−15), channel 0 only.
std::vector<float> ReadRawLeft(const std::string& file);

}  // namespace vantrel::test
