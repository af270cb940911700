#include "parametertable.h"
