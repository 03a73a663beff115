#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/VTProgram.h"
#include "app/shell/VTStartupCommandLine.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    if (VTStartupCommandLine::isToolRequest(args)) {
        std::printf("Vantrel 0.8\n");
        return 0;
    }
    return VTProgram::run(argc, argv, VTProgram::basicMainWindow());
}
