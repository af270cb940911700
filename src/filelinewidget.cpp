#include "filelinewidget.h"
