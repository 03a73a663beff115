#include "ProgramRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace ProgramRunner {

namespace fs = std::filesystem;

Sandbox::Sandbox() {
    std::string tmpl = (fs::temp_directory_path() / "vantrel-app-XXXXXX").string();
    dir_ = mkdtemp(tmpl.data());
    fs::create_directories(configDir());
    fs::create_directories(dir_ + "/home/.config");
}

Sandbox::~Sandbox() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

std::string readText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

// The parent's environment without a display, with the sandbox as home and configuration.
std::vector<std::string> sandboxEnvironment(const Sandbox& box) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string v = *e;
        for (const char* drop :
             {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME=", "HOME="})
            if (v.rfind(drop, 0) == 0) v.clear();
        if (!v.empty()) env.push_back(v);
    }
    env.push_back("XDG_CONFIG_HOME=" + box.configDir());
    env.push_back("HOME=" + box.dir() + "/home");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (std::string& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

Outcome Sandbox::run(const std::vector<std::string>& args,
                     const std::string& interruptOnceExists) const {
    std::vector<std::string> argv = {VANTREL_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = sandboxEnvironment(*this);
    const std::string outFile = path(".stdout"), errFile = path(".stderr");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    auto a = pointers(argv);
    auto e = pointers(env);
    Outcome o;
    const int started = posix_spawn(&pid, a[0], &actions, nullptr, a.data(), e.data());
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return o;
    int status = 0;
    bool ended = false;
    if (!interruptOnceExists.empty()) {
        // Polled, so the signal never comes before the program has begun to write; given up
        // after a minute so that a render that never writes cannot hang the test.
        for (int waited = 0; waited < 60000 && !fs::exists(interruptOnceExists); waited += 5) {
            if ((ended = waitpid(pid, &status, WNOHANG) == pid)) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!ended) kill(pid, SIGINT);
    }
    while (!ended && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    o.out = readText(outFile);
    o.err = readText(errFile);
    std::error_code ec;
    fs::remove(outFile, ec);
    fs::remove(errFile, ec);
    return o;
}

}  // namespace ProgramRunner
