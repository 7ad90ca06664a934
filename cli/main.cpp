// ngm-cli: the puzzle tools of NGM on the command line.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
