#pragma once

#include "options.h"

namespace Oad {

// Every stored line in order; the fields of described parameter lines in three forms.
int Run_Show(const Options &options, Console &console);

} // namespace Oad
