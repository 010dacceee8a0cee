#pragma once
// The command line and the environment, read into the run's settings.
#include "demo/Settings.h"

// VORLUNE_TIMING=original and VORLUNE_STATS=1 first, then the options, which
// win. --help and --version end the program here with code 0; bad usage
// ends it with code 2 and the usage on stderr, before anything is opened
// or written.
Settings ReadSettings(int argc, char** argv);
