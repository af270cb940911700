#include "globalkeyevent.h"
