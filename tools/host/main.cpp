// skylid-host: the substitute simulation host (see skylid-host --help).
#include "host/HostCommands.h"

int main(int argc, char** argv) {
    return host::RunHost(argc, argv);
}
