#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Vantrel 0.8\n");
        return 0;
    }
    std::printf("Vantrel 0.8\n");
    return 0;
}
