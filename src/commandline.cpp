#include "commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace EditorCommandLine {

namespace {

QCommandLineOption Compare_Option()
{
    return QCommandLineOption(
        QStringLiteral("compare"),
        QCoreApplication::translate("EditorCommandLine",
                                    "Compare the download file with REFERENCE, another download "
                                    "file that is only read: differing lines are marked and the "
                                    "reference's values can be taken over."),
        QCoreApplication::translate("EditorCommandLine", "REFERENCE"));
}

} // namespace

void Define(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "EditorCommandLine",
        "Editor for the parameter download files of the Vantor4-16 motion controller."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(Compare_Option());
    parser.addPositionalArgument(
        QCoreApplication::translate("EditorCommandLine", "FILE"),
        QCoreApplication::translate("EditorCommandLine",
                                    "The download file to open (.oad or .txt). Of several, the "
                                    "last one is opened; one that cannot be opened is reported."),
        QCoreApplication::translate("EditorCommandLine", "[FILE]"));
}

Request Read(const QStringList &arguments, const QString &current_directory)
{
    QCommandLineParser parser;
    Define(parser);
    parser.parse(arguments);
    Request request;
    // The file rule looks at the file arguments only, so an option's value is never opened.
    request.file = Download_File(QStringList(arguments.value(0)) + parser.positionalArguments(),
                                 current_directory);
    const QString reference = parser.value(QStringLiteral("compare"));
    if (!reference.isEmpty())
        request.compare_reference = QDir(current_directory).absoluteFilePath(reference);
    return request;
}

QString Download_File(const QStringList &arguments, const QString &current_directory)
{
    if (arguments.size() < 2)
        return QString();
    return QDir::fromNativeSeparators(
        QDir::cleanPath(QDir(current_directory).absoluteFilePath(arguments.last())));
}

} // namespace EditorCommandLine
