#pragma once

#include <string>
#include <vector>

// The single arguments "--help" and "--version". Any other command line, also one that holds one of
// them beside other arguments, starts the program as before.
bool asksForInformation(const std::vector<std::string>& arguments);

// Prints the help or the version on standard output and ends the process with code 0. Needs no
// display.
[[noreturn]] void printInformation(int argc, char** argv);
