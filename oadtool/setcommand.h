#pragma once

#include "assignment.h"
#include "document.h"
#include "options.h"

#include <QStringList>
#include <QVector>

namespace Oad {

class TConsole;

// What set is asked: a file and its assignments.
struct SetRequest
{
    QString path;
    QVector<Assignment> assignments;
};

// The edit, worked out in full before anything is written.
struct SetPlan
{
    Document document;
    QByteArray bytes;   // the file as it is to be written
    QStringList report; // one line per changed field, after the resolution used
};

// Splits the arguments; false with the reason for one that is no assignment (a usage error).
bool Parse_Set(const Options &options, SetRequest *request, QString *error);

// Reads the file and resolves every assignment against it: all of them or none. Reports
// on err what it refuses. Exit_Ok when there is a plan to save.
int Plan_Set(const SetRequest &request, const Options &options, TConsole &console, SetPlan *plan);

// Replaces the file with the plan's bytes, provided it is still the file that was read,
// and prints the report.
int Save_Set(const SetPlan &plan, TConsole &console);

// Parse, lock, plan and save: rewrites only the bytes of the named fields.
int Run_Set(const Options &options, TConsole &console);

} // namespace Oad
