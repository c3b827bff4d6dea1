#include "cli/conversion_run.h"
#include "platform/files.h"

int main(int argc, char** argv) {
    grelvin::initPlatform();
    return grelvin::runConversion(argc - 1, argv + 1);
}
