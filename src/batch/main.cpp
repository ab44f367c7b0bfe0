#include <iostream>

#include "batch/BatchMain.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zel::batch::RunBatch(args, std::cin, std::cout, std::cerr);
}
