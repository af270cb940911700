#pragma once

#include "options.h"

namespace Oad {

class TConsole;

// Prints the value of each named field (S1.X) on its own line, for scripts.
int Run_Get(const Options &options, TConsole &console);

} // namespace Oad
