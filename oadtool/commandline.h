#pragma once

#include "options.h"

#include <QStringList>

namespace Oad {

struct CommandLine
{
    enum class Action
    {
        Run,
        Help,
        Version,
        Error
    } action = Action::Error;
    Options options;
    QString error; // one line, for Action::Error
};

// Reads the arguments (without the program name) and checks them against the command.
CommandLine Parse_Command_Line(const QStringList &arguments);

QString Help_Text();

} // namespace Oad
