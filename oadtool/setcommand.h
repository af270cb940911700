#pragma once

#include "options.h"

namespace Oad {

// Rewrites named fields (S1.X=2000) with the editor's own line rewrite and saves the file
// atomically; writes nothing when any assignment is rejected.
int Run_Set(const Options &options, Console &console);

} // namespace Oad
