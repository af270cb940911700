#include "dataeditorwidget.h"
