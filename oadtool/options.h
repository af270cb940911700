#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Oad {

// Exit statuses of every command.
constexpr int Exit_Ok = 0;      // shown, clean, equal, written
constexpr int Exit_Found = 1;   // findings, differences, a refused assignment, an absent field
constexpr int Exit_Trouble = 2; // usage error, a file that cannot be read or written
// set wrote the file, but its report did not reach standard output: not 2, which promises
// that nothing was written, nor 0, which promises the report.
constexpr int Exit_Unreported = 3;

struct Options
{
    enum class Form
    {
        Int,
        Hex,
        Mm
    };

    QString command;
    QStringList arguments; // what follows the command: files, assignments, fields
    bool json = false;
    std::optional<int> resolution;
    std::optional<int> line; // the one line that set and get may use
    Form form = Form::Int;   // how get prints a value
    QString reference;       // report: the file to compare with
    QString output;          // report: the file to write; empty for standard output
    bool textconv = false;   // show: no file name anywhere, for git's textconv
    bool quiet = false;      // check: only the names of files with findings, for xargs
};

} // namespace Oad
