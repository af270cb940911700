#pragma once

#include "options.h"

namespace Oad {

// Reports what in a download file the editor would drop, misread or not understand.
int Run_Check(const Options &options, Console &console);

} // namespace Oad
