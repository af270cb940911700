#pragma once

#include "options.h"

#include <QStringList>

namespace Oad {

class TConsole;

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

// The whole program behind main: parses the arguments and runs the command. The exit
// status.
int Run(const QStringList &arguments, TConsole &console);

} // namespace Oad
