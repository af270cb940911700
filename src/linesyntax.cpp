#include "linesyntax.h"
