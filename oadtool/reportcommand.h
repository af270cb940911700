#pragma once

#include "options.h"

namespace Oad {

class TConsole;

// Writes the commissioning record of one file as HTML, compared with --reference when given,
// to --output or standard output.
int Run_Report(const Options &options, TConsole &console);

} // namespace Oad
