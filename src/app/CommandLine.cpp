#include "CommandLine.h"

#include "Version.h"

#include <cstdio>
#include <cstring>

namespace app {

std::optional<int> runCommandLine(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("spolarkiv %s\n", SPK_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace app
