#pragma once

#include "options.h"

namespace Oad {

// Parameter-level differences between two files, matched by parameter number.
int Run_Diff(const Options &options, Console &console);

} // namespace Oad
