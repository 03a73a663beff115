#include "SoundServers.h"

#include <fcntl.h>
#include <jack/jack.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace vantrel::test {

namespace {

std::string uniqueName(const char* prefix) {
    static int counter = 0;
    return std::string(prefix) + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

std::string readFile(const std::string& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

// ------------------------------------------------------------------ ChildProcess

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         const std::string& outputFile) {
    Stop();
    // Everything the child needs is built before fork: between fork and exec only
    // async-signal-safe calls are allowed.
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    for (const std::string& extra : env) {
        std::string key = extra.substr(0, extra.find('=') + 1);
        std::erase_if(environment, [&](const std::string& e) { return e.rfind(key, 0) == 0; });
        environment.push_back(extra);
    }
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const pid_t parent = getpid();

    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            close(out);
        }
        setpgid(0, 0);
        execvpe(args[0], args.data(), envp.data());
        _exit(127);
    }
    pid_ = pid;
    return true;
}

bool ChildProcess::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == 0) return true;
    pid_ = -1;
    return false;
}

void ChildProcess::Stop(int graceMs) {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    for (int waited = 0; waited < graceMs; waited += 10) {
        if (!Running()) return;
        sleepMs(10);
    }
    Kill();
}

void ChildProcess::Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

// ------------------------------------------------------------------ JACK

JackTestServer::~JackTestServer() { process_.Stop(5000); }

bool JackTestServer::Start(std::string& why) {
    if (!onPath("jackd")) {
        why = "jackd is not installed (Debian package jackd2)";
        return false;
    }
    name_ = uniqueName("vantrel-test");
    setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    const std::string logFile = std::filesystem::temp_directory_path() / (name_ + ".log");
    // Real-time scheduling first; where the system refuses it, the server runs without. Other
    // programs' JACK servers may fill the registry for a moment: then the start is retried.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (bool realtime = true;;) {
        std::vector<std::string> argv{"jackd", "-n", name_};
        argv.push_back(realtime ? "-R" : "-r");
        for (const char* a : {"-d", "dummy", "-r", "44100", "-p", "512"}) argv.emplace_back(a);
        if (process_.Start(argv, {"JACK_NO_AUDIO_RESERVATION=1"}, logFile) && WaitReady(5000)) {
            std::filesystem::remove(logFile);
            return true;
        }
        process_.Stop();
        log_ = readFile(logFile);
        const bool crowded = log_.find("many servers") != std::string::npos;
        if (std::chrono::steady_clock::now() > giveUp) break;
        if (crowded) {
            sleepMs(500);
        } else if (realtime) {
            realtime = false;
        } else {
            break;
        }
    }
    std::filesystem::remove(logFile);
    why = "jackd did not start: " + log_;
    return false;
}

bool JackTestServer::WaitReady(int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (!process_.Running()) return false;
        jack_status_t status{};
        jack_client_t* probe = jack_client_open(
            "vantrel-test-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName),
            &status, name_.c_str());
        if (probe) {
            jack_client_close(probe);
            return true;
        }
        sleepMs(50);
    }
    return false;
}

// ------------------------------------------------------------------ PulseAudio

PulseTestServer::~PulseTestServer() {
    recorder_.Stop();
    process_.Stop();
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

bool PulseTestServer::Start(std::string& why) {
    if (!onPath("pulseaudio") || !onPath("parec")) {
        why = "pulseaudio or parec is not installed (Debian packages pulseaudio, pulseaudio-utils)";
        return false;
    }
    char pattern[] = "/tmp/vantrel-pulse-XXXXXX";
    if (!mkdtemp(pattern)) {
        why = "cannot create a runtime directory";
        return false;
    }
    dir_ = pattern;
    const std::string socket = dir_ + "/native";
    {
        std::ofstream script(dir_ + "/server.pa");
        script << "load-module module-null-sink sink_name=vantrel_null rate=44100 channels=2\n"
               << "load-module module-native-protocol-unix socket=" << socket
               << " auth-anonymous=1\n"
               << "set-default-sink vantrel_null\n";
        std::ofstream client(dir_ + "/client.conf");
        client << "autospawn = no\n";
    }
    // The test's own clients (the ALSA plug-in inside this process, parec) find this server
    // and nothing else.
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (dir_ + "/client.conf").c_str(), 1);
    const std::vector<std::string> env{"XDG_RUNTIME_DIR=" + dir_, "HOME=" + dir_,
                                       "XDG_CONFIG_HOME=" + dir_};
    // The server's sink threads run at real-time priority where the system allows it (as the
    // JACK server's do), so that a busy machine does not starve the null sink.
    if (!process_.Start({"pulseaudio", "-n", "-F", dir_ + "/server.pa", "--daemonize=no",
                         "--realtime=yes", "--high-priority=yes", "--exit-idle-time=-1",
                         "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr"},
                        env, dir_ + "/server.log") ||
        !WaitReady(5000)) {
        why = "pulseaudio did not start: " + readFile(dir_ + "/server.log");
        process_.Stop();
        return false;
    }
    return true;
}

bool PulseTestServer::WaitReady(int timeoutMs) {
    const std::string socket = dir_ + "/native";
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (!process_.Running()) return false;
        struct stat st {};
        if (stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) {
            // The socket exists once the modules are loaded; the sink is ready with it.
            return true;
        }
        sleepMs(50);
    }
    return false;
}

bool PulseTestServer::StartRecording(const std::string& file) {
    bool started =
        recorder_.Start({"sh", "-c",
                         "exec parec -d " + monitorSource() +
                             " --format=s16le --rate=44100 --channels=2 --raw "
                             "--latency-msec=20 > '" +
                             file + "'"},
                        {"XDG_RUNTIME_DIR=" + dir_, "HOME=" + dir_}, dir_ + "/parec.log");
    for (int waited = 0; started && waited < 5000; waited += 20) {
        std::error_code error;
        if (std::filesystem::file_size(file, error) > 0 && !error) return true;
        if (!recorder_.Running()) return false;
        sleepMs(20);
    }
    return false;
}

std::vector<float> ReadRawLeft(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<float> left;
    std::int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
        left.push_back(frame[0] * (1.0f / 32768.0f));
    }
    return left;
}

}  // namespace vantrel::test
