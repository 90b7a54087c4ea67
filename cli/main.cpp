#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    return velmora::cli::Run({argv + 1, argv + argc}, std::cout, std::cerr);
}
