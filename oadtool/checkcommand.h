#pragma once

#include "options.h"

namespace Oad {

class TConsole;

// Reports, for each file, what the editor would drop, misread or not understand.
int Run_Check(const Options &options, TConsole &console);

} // namespace Oad
