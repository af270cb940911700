#include "commandline.h"

namespace Oad {

namespace {

CommandLine Failure(const QString &error)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = error;
    return line;
}

bool Parse_Resolution(const QString &text, Options &options)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value <= 0)
        return false;
    options.resolution = value;
    return true;
}

} // namespace

CommandLine Parse_Command_Line(const QStringList &arguments)
{
    CommandLine result;
    Options &options = result.options;
    QStringList positional;
    bool options_end = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (options_end || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            positional.append(argument);
        } else if (argument == QLatin1String("--")) {
            options_end = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.action = CommandLine::Action::Help;
            return result;
        } else if (argument == QLatin1String("--version")) {
            result.action = CommandLine::Action::Version;
            return result;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--resolution")) {
            if (i + 1 >= arguments.size())
                return Failure(QStringLiteral("--resolution needs a number"));
            if (!Parse_Resolution(arguments.at(++i), options))
                return Failure(QStringLiteral("--resolution needs a positive whole number, not %1")
                                   .arg(arguments.at(i)));
        } else if (argument.startsWith(QLatin1String("--resolution="))) {
            const QString value = argument.mid(argument.indexOf(QLatin1Char('=')) + 1);
            if (!Parse_Resolution(value, options))
                return Failure(QStringLiteral("--resolution needs a positive whole number, not %1")
                                   .arg(value));
        } else {
            return Failure(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    if (positional.isEmpty())
        return Failure(QStringLiteral("no command given"));
    options.command = positional.takeFirst();
    options.arguments = positional;
    const QString &command = options.command;
    if (command == QLatin1String("show") || command == QLatin1String("check")) {
        if (positional.size() != 1)
            return Failure(QStringLiteral("%1 takes one file").arg(command));
    } else if (command == QLatin1String("diff")) {
        if (positional.size() != 2)
            return Failure(QStringLiteral("diff takes two files"));
    } else if (command == QLatin1String("set")) {
        if (positional.size() < 2)
            return Failure(QStringLiteral("set takes a file and at least one assignment"));
        if (options.json)
            return Failure(QStringLiteral("--json does not apply to set"));
    } else {
        return Failure(QStringLiteral("unknown command %1").arg(command));
    }
    if (command == QLatin1String("check") && options.resolution)
        return Failure(QStringLiteral("--resolution does not apply to check"));
    result.action = CommandLine::Action::Run;
    return result;
}

QString Help_Text()
{
    return QStringLiteral(
        "Usage: oadtool [options] COMMAND ARGUMENTS\n"
        "\n"
        "Reads and edits download files with the same rules as the download editor.\n"
        "\n"
        "Commands:\n"
        "  show FILE             every line; the fields of each described parameter line\n"
        "                        as integer, hexadecimal and (lengths) millimetres\n"
        "  check FILE            report what the editor would drop, misread or not know\n"
        "  diff A B              differences by parameter number, not by line position\n"
        "  set FILE S1.X=2000 ...\n"
        "                        rewrite fields of the first line of each parameter;\n"
        "                        values: 2000, -5, 4294967295, 0x7D0, 12.5mm (lengths)\n"
        "\n"
        "Options:\n"
        "  --json                JSON output (show, check, diff)\n"
        "  --resolution N        counts per millimetre (show, diff, set); default: the\n"
        "                        file's scale resolution line, else 10000\n"
        "  --help                this text\n"
        "  --version             the version\n"
        "\n"
        "Exit status: 0 done, clean or equal; 1 findings, differences or a rejected\n"
        "assignment; 2 usage error or a file that cannot be read or written.\n");
}

} // namespace Oad
