#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The editor's command line: --help, --version, --compare REFERENCE and the download file.
namespace EditorCommandLine {

struct Request
{
    QString file;              // the download file to open; empty for none
    QString compare_reference; // the REFERENCE of --compare, made absolute; empty for none
};

// Defines the options and the file argument on parser, with the texts of --help.
void Define(QCommandLineParser &parser);

// What arguments (program name first) ask for. The file is the last file argument, made
// absolute against current_directory.
Request Read(const QStringList &arguments, const QString &current_directory);

// The download file named by file arguments (program name first): the last one, made
// absolute against current_directory and cleaned, with '/' separators; also when it does
// not exist, so that the window can say so. Empty when there is none.
QString Download_File(const QStringList &arguments, const QString &current_directory);

} // namespace EditorCommandLine
