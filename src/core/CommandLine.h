#pragma once

#include <string>

// Reads the command line into the screen size, the OpenGL-mode flag and the local path, logging
// what it sets. The options are "-f", "-ogl", "-w <width>" and "-h <height>"; the value after "-w"
// or "-h" is not skipped but looked at as an option too, so "-w -ogl" gives width 0 and forces
// OpenGL mode. "-h" as the last argument ends the scan. Width and height start at 800 by 600.
void ParseCommandLine(int argc, const char* const* argv);

// The program's own folder: argv[0] up to and including its last "\" or "/" that stands before
// its final character; empty when there is none (and for no argv[0] at all).
std::string LocalPathOf(const char* argv0);
