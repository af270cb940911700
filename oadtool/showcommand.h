#pragma once

#include "options.h"

namespace Oad {

class TConsole;

// For each file, every stored line in order; the fields of described parameter lines in
// three forms; the lines not read.
int Run_Show(const Options &options, TConsole &console);

} // namespace Oad
