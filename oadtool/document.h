#pragma once

#include "downloadfile.h"
#include "linesyntax.h"
#include "parametertable.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

// A download file as the editor sees it, read once: the raw bytes (for the checks that
// need them) and the stored lines, each split by the editor's own line syntax.
namespace Oad {

constexpr int Default_Resolution = 10000; // the editor's settings default

struct FieldReading
{
    ParameterItem item;
    bool present = false;
    qint32 value = 0; // the field's 32 bits, read as the editor reads them
};

struct ParsedLine
{
    int number = 0; // 1-based line number in the file
    QString text;   // the stored (simplified) text
    LineSyntax::Split split;
    ParameterDescription description; // number -1 unless a described parameter line
    QVector<FieldReading> fields;     // in description order

    bool Is_Described() const { return description.number >= 0; }
};

struct Resolution
{
    int value = Default_Resolution;
    enum class Source
    {
        Default,
        File,
        Option
    } source = Source::Default;
    int line = 0; // the scale resolution line, 0 when the file has none
};

struct Document
{
    QString path;
    QByteArray bytes;
    DownloadFile::Content content;
    QVector<ParsedLine> lines;
    int resolution_line = 0; // 1-based number of the scale resolution line, 0 when none
};

// Reads and splits the file; false with a one-line reason when it cannot be read.
bool Load_Document(const QString &path, Document *document, QString *error);

// Splits one stored line and reads its described fields from the rest of the line.
ParsedLine Parse_Line(int number, const QString &text);

// The resolution for millimetres: the option, else a positive value of the file's scale
// resolution line, else the default.
Resolution Choose_Resolution(const Document &document, std::optional<int> option);

QString Source_Name(Resolution::Source source);

// Where the field with this letter stands in text, as the line syntax finds it.
struct FieldPlace
{
    int start = -1; // index of the letter, -1 when the letter does not occur
    int length = 0; // the letter and its digits
};
FieldPlace Locate_Field(QChar letter, const QString &text);

// The help text with every line after the first indented by indent spaces.
QString Indented_Help(const QString &help, int indent);

} // namespace Oad
