#include "downloadeditor.h"
