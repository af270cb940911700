#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace Oad {

// Exit statuses of every command.
constexpr int Exit_Ok = 0;      // shown, clean, equal, written
constexpr int Exit_Found = 1;   // findings, differences, a rejected assignment
constexpr int Exit_Trouble = 2; // usage error, unreadable or unwritable file

struct Options
{
    QString command;
    QStringList arguments; // what follows the command: files, assignments
    bool json = false;
    std::optional<int> resolution;
};

// Where a command writes: results to out, one-line complaints to err.
struct Console
{
    QTextStream &out;
    QTextStream &err;
};

} // namespace Oad
