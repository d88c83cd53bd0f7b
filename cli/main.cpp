// corvel-check: the command-line checker.
#include "checker.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return corvel::cli::runChecker(args, std::cout, std::cerr);
}
