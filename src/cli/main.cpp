// dalvex-cli: calculations and exports of door projects from the command line.
#include "cli_app.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return dalvex::cli::runCli(args, std::cout, std::cerr);
}
