#include <iostream>

#include "cli/cli_command.h"

int main(int argc, char** argv) { return qy::cli::RunCli(argc, argv, std::cout, std::cerr); }
