#pragma once

#include "document.h"
#include "finding.h"

#include <QVector>

namespace Oad {

// Findings in the stored lines: parameters the table does not describe, missing fields,
// fields that read other than they look, field letters before the S token, and
// parameters that stand on more than one line.
QVector<Finding> Check_Lines(const Document &document);

// A scale resolution line that is not valid, or none at all.
QVector<Finding> Check_Scale_Resolution(const Document &document);

} // namespace Oad
