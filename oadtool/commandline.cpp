#include "commandline.h"

#include "checkcommand.h"
#include "console.h"
#include "diffcommand.h"
#include "downloadfile.h"
#include "getcommand.h"
#include "reportcommand.h"
#include "setcommand.h"
#include "showcommand.h"

namespace Oad {

namespace {

// The options a command accepts.
enum Option_Flag : unsigned
{
    Json = 1,
    Resolution = 2,
    Line = 4,
    Form = 8,
    Reference = 16,
    Output = 32,
    Textconv = 64,
    Quiet = 128,
};

struct Command
{
    const char *name;
    int (*run)(const Options &, TConsole &);
    int min_arguments;
    int max_arguments; // -1: any number
    int files;         // how many of the arguments are files, from the first; -1: all
    unsigned options;
    const char *synopsis;
    const char *help;
};

// Every command, its handler and its help: a name that is not here is a usage error.
const Command Commands[] = {
    {"show", Run_Show, 1, -1, -1, Json | Resolution | Textconv, "show FILE...",
     "every line; the fields of each described parameter\n"
     "line as integer, hexadecimal and (lengths) millimetres;\n"
     "the lines not read"},
    {"check", Run_Check, 1, -1, -1, Json | Quiet, "check FILE...",
     "what the editor would drop, misread or not understand,\n"
     "as FILE:LINE: text; with several files a summary on stderr"},
    {"diff", Run_Diff, 2, 2, -1, Json | Resolution, "diff A B",
     "every difference: parameters by number, fields by\n"
     "value, and all other content"},
    {"get", Run_Get, 2, -1, 1, Resolution | Line | Form, "get FILE S1.X...",
     "each value on its own line: integer, or --hex, --mm"},
    {"set", Run_Set, 2, -1, 1, Resolution | Line, "set FILE S1.X=2000...",
     "rewrite only the bytes of the named fields; values\n"
     "2000, -5, 4294967295, 0x7D0, 12.5mm or 12,5mm (lengths);\n"
     "under a lock, and nothing written if FILE changed meanwhile"},
    {"report", Run_Report, 1, 1, 1, Resolution | Reference | Output, "report FILE",
     "a commissioning record as HTML: every field with its\n"
     "help text, the SHA-256, the check findings, with\n"
     "--reference the differences, lines to sign"},
};

const Command *Find_Command(const QString &name)
{
    for (const Command &command : Commands)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

CommandLine Failure(const QString &error)
{
    CommandLine line;
    line.error = error;
    return line;
}

std::optional<int> Positive(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

// --reference and --output: a file name, not empty.
unsigned Read_Path_Option(const QString &name, const QString &value, Options &options,
                          QString *error)
{
    if (value.isEmpty()) {
        *error = QStringLiteral("%1 needs a file name").arg(name);
        return 0;
    }
    const bool reference = name == QLatin1String("--reference");
    (reference ? options.reference : options.output) = value;
    return reference ? Reference : Output;
}

// Reads the option at arguments[*i] (and its value); the flag it needs, or 0 with error set.
unsigned Read_Option(const QStringList &arguments, int *i, Options &options, QString *error)
{
    QString name = arguments.at(*i);
    QString value;
    const int equals = name.indexOf(QLatin1Char('='));
    const bool valued = name.startsWith(QLatin1String("--resolution")) ||
                        name.startsWith(QLatin1String("--line")) ||
                        name.startsWith(QLatin1String("--reference")) ||
                        name.startsWith(QLatin1String("--output"));
    if (valued && equals > 0) {
        value = name.mid(equals + 1);
        name.truncate(equals);
    } else if (valued && *i + 1 < arguments.size()) {
        value = arguments.at(++*i);
    }
    if (name == QLatin1String("--json")) {
        options.json = true;
        return Json;
    }
    if (name == QLatin1String("--textconv")) {
        options.textconv = true;
        return Textconv;
    }
    if (name == QLatin1String("--quiet")) {
        options.quiet = true;
        return Quiet;
    }
    if (name == QLatin1String("--reference") || name == QLatin1String("--output"))
        return Read_Path_Option(name, value, options, error);
    if (name == QLatin1String("--hex") || name == QLatin1String("--mm")) {
        options.form = name == QLatin1String("--hex") ? Options::Form::Hex : Options::Form::Mm;
        return Form;
    }
    const std::optional<int> number = Positive(value);
    if ((name == QLatin1String("--resolution") || name == QLatin1String("--line")) && !number) {
        *error =
            QStringLiteral("%1 needs a positive whole number, not \"%2\"").arg(name, Shown(value));
        return 0;
    }
    if (name == QLatin1String("--resolution")) {
        options.resolution = number;
        return Resolution;
    }
    if (name == QLatin1String("--line")) {
        options.line = number;
        return Line;
    }
    *error = QStringLiteral("unknown option %1").arg(Shown(name));
    return 0;
}

QString Option_Name(unsigned flag)
{
    switch (flag) {
    case Json:
        return QStringLiteral("--json");
    case Resolution:
        return QStringLiteral("--resolution");
    case Line:
        return QStringLiteral("--line");
    case Reference:
        return QStringLiteral("--reference");
    case Output:
        return QStringLiteral("--output");
    case Textconv:
        return QStringLiteral("--textconv");
    case Quiet:
        return QStringLiteral("--quiet");
    default:
        return QStringLiteral("--hex and --mm");
    }
}

// An option given again: refused when it says something else the second time, or, for
// --line, at all, as it is no line per field but the one line for every field.
QString Clash(unsigned flag, unsigned given, const Options &before, const Options &after)
{
    if (!(given & flag))
        return QString();
    switch (flag) {
    case Form:
        return before.form == after.form ? QString()
                                         : QStringLiteral("--hex and --mm do not go together");
    case Line:
        return QStringLiteral("--line is given twice; it names the one line for every field");
    case Resolution:
        return before.resolution == after.resolution
                   ? QString()
                   : QStringLiteral("--resolution is given twice, as %1 and %2")
                         .arg(*before.resolution)
                         .arg(*after.resolution);
    case Reference:
    case Output: {
        const bool reference = flag == Reference;
        const QString &first = reference ? before.reference : before.output;
        const QString &second = reference ? after.reference : after.output;
        return first == second ? QString()
                               : QStringLiteral("%1 is given twice, as %2 and %3")
                                     .arg(Option_Name(flag), Shown_Name(first), Shown_Name(second));
    }
    default:
        return QString();
    }
}

// Standard input can be read only once.
QString Stdin_Twice(const Command &command, const Options &options)
{
    const QStringList files = options.arguments.mid(0, command.files); // -1: all
    const int count =
        files.count(QStringLiteral("-")) + (options.reference == QLatin1String("-") ? 1 : 0);
    return count > 1 ? QStringLiteral("- is named %1 times; standard input can be read only once")
                           .arg(count)
                     : QString();
}

CommandLine Check_Against(const Command &command, unsigned given, CommandLine result)
{
    const Options &options = result.options;
    const QString name = QLatin1String(command.name);
    for (unsigned flag = Json; flag <= Quiet; flag <<= 1)
        if ((given & flag) && !(command.options & flag))
            return Failure(QStringLiteral("%1 does not apply to %2").arg(Option_Name(flag), name));
    if ((given & Textconv) && (given & Json))
        return Failure(QStringLiteral("--textconv and --json do not go together"));
    if ((given & Quiet) && (given & Json))
        return Failure(QStringLiteral("--quiet and --json do not go together"));
    const int count = options.arguments.size();
    if (count < command.min_arguments ||
        (command.max_arguments >= 0 && count > command.max_arguments))
        return Failure(QStringLiteral("usage: oadtool %1").arg(QLatin1String(command.synopsis)));
    const QString twice = Stdin_Twice(command, options);
    if (!twice.isEmpty())
        return Failure(twice);
    result.action = CommandLine::Action::Run;
    return result;
}

} // namespace

CommandLine Parse_Command_Line(const QStringList &arguments)
{
    CommandLine result;
    QStringList positional;
    unsigned given = 0;
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
        } else {
            QString error;
            const Options before = result.options;
            const unsigned flag = Read_Option(arguments, &i, result.options, &error);
            if (flag == 0)
                return Failure(error);
            const QString clash = Clash(flag, given, before, result.options);
            if (!clash.isEmpty())
                return Failure(clash);
            given |= flag;
        }
    }
    if (positional.isEmpty())
        return Failure(QStringLiteral("no command given"));
    const Command *command = Find_Command(positional.first());
    if (!command)
        return Failure(QStringLiteral("unknown command %1").arg(Shown(positional.first())));
    result.options.command = positional.takeFirst();
    result.options.arguments = positional;
    return Check_Against(*command, given, result);
}

QString Help_Text()
{
    QString commands;
    for (const Command &command : Commands) {
        const QString synopsis = QStringLiteral("  %1").arg(QLatin1String(command.synopsis));
        commands += synopsis.leftJustified(24) + Indented_Help(QLatin1String(command.help), 24) +
                    QLatin1Char('\n');
    }
    return QStringLiteral(
               "Usage: oadtool [options] COMMAND ARGUMENTS\n"
               "\n"
               "Reads, checks, compares and edits download files by the rules of the download\n"
               "editor. FILE may be - for standard input (not for set).\n"
               "\n"
               "Commands:\n"
               "%1"
               "\n"
               "Options:\n"
               "  --json                JSON output (show, check, diff)\n"
               "  --resolution N        counts per millimetre (show, diff, get, set, report);\n"
               "                        else the file's scale resolution line; show, diff\n"
               "                        and report fall back to %2, get and set refuse\n"
               "                        millimetres without one\n"
               "  --line N              the one line get and set may use, when a parameter\n"
               "                        stands on several\n"
               "  --hex, --mm           get prints hexadecimal or millimetres\n"
               "  --reference REF       report compares FILE with REF\n"
               "  --output OUT          report writes OUT instead of standard output\n"
               "  --quiet               check prints only the names of the files with\n"
               "                        findings, one per line, for xargs; no summary\n"
               "  --textconv            show prints no file name, for git's textconv:\n"
               "                        *.oad diff=oad in .gitattributes, then\n"
               "                        git config diff.oad.textconv \"oadtool show --textconv\"\n"
               "  --help                this text\n"
               "  --version             the version\n"
               "\n"
               "Exit status: 0 done, clean or equal; 1 findings, differences, a refused\n"
               "assignment or an absent field; 2 usage error, or a file that cannot be read or\n"
               "written (the other files are still checked); 3 set wrote FILE but could not\n"
               "print its report (standard output full or closed).\n"
               "\n"
               "Control characters and direction marks are shown as \\xHH or \\uHHHH, a\n"
               "backslash as \\\\. A file name in JSON reads back exactly: \\\\ is a\n"
               "backslash, \\xHH the byte HH, the rest UTF-8.\n"
               "\n"
               "Examples:\n"
               "  $ oadtool check machine.oad other.oad\n"
               "  machine.oad:5: field V1 of S5 goes on with \".5\"; the editor reads V as 1\n"
               "  other.oad:3: Line 3 holds a NUL byte; a save drops the rest of that line.\n"
               "  $ oadtool set machine.oad S1.X=2000 S5.V=2,5mm\n"
               "  machine.oad: scale resolution 10000 (line 30)\n"
               "  machine.oad:4: S1.X: X2DC6C0 -> X7D0 (3000000 -> 2000)\n"
               "  machine.oad:8: S5.V: V4E20 -> V61A8 (20000 -> 25000)\n"
               "  $ oadtool get machine.oad S1.X S5.V --mm\n"
               "  0.2000\n"
               "  2.5000\n")
        .arg(commands, QString::number(DownloadFile::Default_Scale_Resolution));
}

int Run(const QStringList &arguments, TConsole &console)
{
    const CommandLine command_line = Parse_Command_Line(arguments);
    switch (command_line.action) {
    case CommandLine::Action::Help:
        console.Out(Help_Text());
        return Exit_Ok;
    case CommandLine::Action::Version:
        console.Out(QStringLiteral("oadtool %1\n").arg(QLatin1String(OADTOOL_VERSION)));
        return Exit_Ok;
    case CommandLine::Action::Error:
        console.Complain(command_line.error + QStringLiteral(" (see oadtool --help)"));
        return Exit_Trouble;
    case CommandLine::Action::Run:
        break;
    }
    return Find_Command(command_line.options.command)->run(command_line.options, console);
}

} // namespace Oad
