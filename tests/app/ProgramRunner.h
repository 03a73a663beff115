#pragma once

#include <string>
#include <vector>

// Runs the built program as a separate process, the way a user's shell does, with standard
// output and standard error caught, in a scratch folder that also serves as its home and
// configuration folder.
namespace ProgramRunner {

struct Outcome {
    int status = -1;  // the exit status; 128 + n for a process ended by signal n
    std::string out;
    std::string err;
};

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& dir() const { return dir_; }
    // The folder given as XDG_CONFIG_HOME and HOME's .config: must stay empty.
    std::string configDir() const { return dir_ + "/config"; }

    // Runs the program with these arguments, without a display. With `interruptOnceExists`,
    // Ctrl+C's signal is sent as soon as that file appears (the render has begun writing).
    Outcome run(const std::vector<std::string>& args,
                const std::string& interruptOnceExists = {}) const;

private:
    std::string dir_;
};

std::string readText(const std::string& file);

}  // namespace ProgramRunner
