#include "checkcommand.h"
#include "commandline.h"
#include "diffcommand.h"
#include "setcommand.h"
#include "showcommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The same bytes whatever the user's locale.
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    Oad::Console console{out, err};

    const Oad::CommandLine command_line = Oad::Parse_Command_Line(application.arguments().mid(1));
    switch (command_line.action) {
    case Oad::CommandLine::Action::Help:
        out << Oad::Help_Text();
        return Oad::Exit_Ok;
    case Oad::CommandLine::Action::Version:
        out << "oadtool " << OADTOOL_VERSION << '\n';
        return Oad::Exit_Ok;
    case Oad::CommandLine::Action::Error:
        err << "oadtool: " << command_line.error << " (see oadtool --help)\n";
        return Oad::Exit_Trouble;
    case Oad::CommandLine::Action::Run:
        break;
    }
    const Oad::Options &options = command_line.options;
    if (options.command == QLatin1String("show"))
        return Oad::Run_Show(options, console);
    if (options.command == QLatin1String("check"))
        return Oad::Run_Check(options, console);
    if (options.command == QLatin1String("diff"))
        return Oad::Run_Diff(options, console);
    return Oad::Run_Set(options, console);
}
