#include "app/cli/VTCommandLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Locale-free, whole text, finite.
std::optional<double> parseNumber(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

// One pass over the arguments, in order; index 1 is the first after the program name.
class VTCommandLine::Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    VTCommandRequest run() {
        for (const std::string& a : args_) {
            if (a == "--help" || a == "-h") return only(VTCommandRequest::Action::Help);
            if (a == "--version") return only(VTCommandRequest::Action::Version);
        }
        for (i_ = 0; i_ < args_.size() && ok(); ++i_) step();
        if (ok() && request_.action == VTCommandRequest::Action::Render) finishRender();
        return request_;
    }

private:
    bool ok() const { return request_.action != VTCommandRequest::Action::Error; }
    VTCommandRequest only(VTCommandRequest::Action action) {
        VTCommandRequest r;
        r.action = action;
        return r;
    }
    void fail(const std::string& message) {
        request_.action = VTCommandRequest::Action::Error;
        request_.error = message;
    }
    // The main window's message for an argument it does not know, counting the program as 0.
    void badParameter() {
        fail("Bad command line parameter number " + std::to_string(i_ + 1) + ": " +
             quoted(args_[i_]));
    }
    bool rendering() const { return request_.action == VTCommandRequest::Action::Render; }

    void step() {
        const std::string& a = args_[i_];
        if (a == "--render") {
            if (rendering()) return badParameter();
            request_.action = VTCommandRequest::Action::Render;
            return;
        }
        if (rendering() && option(a)) return;
        if (startsWith(a, "--")) return badParameter();
        if (!rendering()) {
            request_.windowArguments.push_back(a);
            return;
        }
        positional(a);
    }

    void positional(const std::string& a) {
        if (request_.patch.empty()) {
            request_.patch = a;
        } else if (request_.output.empty()) {
            request_.output = a;
        } else {
            badParameter();
        }
    }

    // True when `a` is a render option (handled, or failed with a message).
    bool option(const std::string& a) {
        static const char* const names[] = {"--mode", "--preroll", "--length"};
        for (const char* name : names) {
            const std::string n = name;
            if (a != n && !startsWith(a, (n + "=").c_str())) continue;
            std::optional<std::string> value = valueOf(a, n);
            if (!value) return true;
            if (n == "--mode") mode(*value);
            if (n == "--preroll")
                number(*value, preRoll_, "pre-roll", VTExportSettings::kMinPreRoll,
                       VTExportSettings::kMaxPreRoll);
            if (n == "--length")
                number(*value, record_, "length", VTExportSettings::kMinRecord,
                       VTExportSettings::kMaxRecord);
            return true;
        }
        return false;
    }

    std::optional<std::string> valueOf(const std::string& a, const std::string& name) {
        if (a.size() > name.size()) return a.substr(name.size() + 1);
        if (i_ + 1 >= args_.size()) {
            fail(name + " needs a value");
            return std::nullopt;
        }
        return args_[++i_];
    }

    void mode(const std::string& v) {
        if (v == "pattern")
            request_.settings.mode = VTExportMode::Pattern;
        else if (v == "soundin")
            request_.settings.mode = VTExportMode::SoundInFile;
        else if (v == "timed")
            request_.settings.mode = VTExportMode::TimedSegment;
        else
            fail("--mode must be pattern, soundin or timed, not " + quoted(v));
    }

    void number(const std::string& v, std::optional<double>& into, const char* what, double lo,
                double hi) {
        std::optional<double> n = parseNumber(v);
        if (!n || *n < lo || *n > hi) {
            char range[64];
            std::snprintf(range, sizeof range, "%g to %g", lo, hi);
            fail(std::string("The ") + what + " must be a number from " + range + ", not " +
                 quoted(v));
            return;
        }
        into = n;
    }

    void finishRender() {
        if (request_.patch.empty() || request_.output.empty()) {
            fail("--render needs a patch and an output file: --render PATCH.vtx OUT.wav");
            return;
        }
        VTExportSettings& s = request_.settings;
        s.inBars = vtModeCountsBars(s.mode);
        s.preRoll = preRoll_.value_or(0.0);
        s.record = record_.value_or(1.0);
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    VTCommandRequest request_;
    std::optional<double> preRoll_;
    std::optional<double> record_;
};

VTCommandRequest VTCommandLine::parse(const std::vector<std::string>& arguments) {
    return Parser(arguments).run();
}

VTCommandRequest VTCommandLine::parse(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int k = 1; k < argc; ++k) args.emplace_back(argv[k]);
    return parse(args);
}

std::string VTCommandLine::usage(const std::string& program) {
    const std::string indent(program.size(), ' ');
    std::string u;
    u += "Usage: " + program + " [PATCH.vtx] [/STARTDACS] [/STARTADCS] [/STARTCLOCK]\n";
    u += "       " + program + " --render PATCH.vtx OUT.wav [--mode pattern|soundin|timed]\n";
    u += "       " + indent + "          [--preroll N] [--length N]\n";
    u += "       " + program + " --help | --version\n";
    u += R"(
--render plays the patch off-line into OUT.wav (44100 Hz, stereo, 16-bit): what its
SoundOut sends. It needs no display and no sound device.
  --mode pattern   lengths in bars of the patch's tempo; recording starts on a bar
                   line (the default)
  --mode soundin   lengths in seconds; the SoundIn file is rewound and starts playing
                   with the recording
  --mode timed     lengths in seconds
  --preroll N      run the patch for N bars or seconds before recording (0 to 1000,
                   default 0)
  --length N       record N bars or seconds (0.1 to 10000, default 1)
Ctrl+C stops a render and leaves no file.
)";
    return u;
}
