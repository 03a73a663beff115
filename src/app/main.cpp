#include <unistd.h>
#include <cstdio>

#include "app/cli/VTCommandLine.h"
#include "app/cli/VTRenderCommand.h"
#include "platform/VTMessageBox.h"

int main(int argc, char** argv) {
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
    std::fprintf(stderr, "%s: the main window is not part of this build; try 'vantrel --help'.\n",
                 VTCommandLine::kVersionText);
    return 1;
}
