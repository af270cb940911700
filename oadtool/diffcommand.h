#pragma once

#include "options.h"

namespace Oad {

class TConsole;

// Every difference between two files: parameters by number and field values, and all
// other content.
int Run_Diff(const Options &options, TConsole &console);

} // namespace Oad
