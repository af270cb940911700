#pragma once

#include <QChar>
#include <QString>
#include <QVector>

struct ParameterItem
{
    QChar letter;
    bool scaled = false; // also shown in millimetres
    QString help;
};

struct ParameterDescription
{
    int number = -1; // -1 when the table does not describe the number
    QVector<ParameterItem> items;
};

// What the editor knows of each controller parameter: its fields in display order,
// whether they are lengths, and their help texts.
class TParameterTable
{
public:
    TParameterTable() = default;
    ~TParameterTable() = default;

    ParameterDescription Get_Description(int number) const;
};
