#pragma once

#include "finding.h"

#include <QByteArray>
#include <QVector>

namespace Oad {

// Findings only the raw bytes show: too many lines, NUL bytes, bytes that Latin-1 reads
// as control characters, and byte runs that look like UTF-8.
QVector<Finding> Check_Bytes(const QByteArray &bytes);

} // namespace Oad
