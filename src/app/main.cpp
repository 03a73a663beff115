#include <unistd.h>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/VTCommandLine.h"
#include "app/cli/VTRenderCommand.h"
#include "app/shell/VTProgram.h"
#include "app/shell/VTStartupCommandLine.h"
#include "platform/VTMessageBox.h"

namespace {

// --render, --help and --version: no window, no display needed.
int runTool(int argc, char** argv) {
    const VTCommandRequest request = VTCommandLine::parse(argc, argv);
    switch (request.action) {
        case VTCommandRequest::Action::Help:
            std::fputs(VTCommandLine::usage("vantrel").c_str(), stdout);
            return 0;
        case VTCommandRequest::Action::Version:
            std::printf("%s\n", VTCommandLine::kVersionText);
            return 0;
        case VTCommandRequest::Action::Error:
            VTMessageBox::show(request.error, VTCommandLine::kErrorCaption);
            std::fputs("Try 'vantrel --help'.\n", stderr);
            return VTRenderCommand::kBadArguments;
        case VTCommandRequest::Action::Render:
            return VTRenderCommand(request, {stdout, stderr, isatty(STDERR_FILENO) == 1}).run();
        case VTCommandRequest::Action::Window:
            break;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (VTStartupCommandLine::isToolRequest(std::vector<std::string>(argv, argv + argc)))
        return runTool(argc, argv);
    return VTProgram::run(argc, argv);
}
