#pragma once

#include <QString>

namespace Oad {

struct Finding
{
    int line = 0; // 1-based; 0 for the file as a whole
    QString kind; // stable key, listed in README.md
    QString message;
};

} // namespace Oad
