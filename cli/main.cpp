#include <clocale>
#include <iostream>

#include "cli.h"

int main(int argc, char** argv)
{
    // The user's locale is in force, as in the window; number texts never
    // depend on it.
    std::setlocale(LC_ALL, "");
    std::ios::sync_with_stdio(false);
    return quorvel::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
