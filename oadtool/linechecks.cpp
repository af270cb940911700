#include "linechecks.h"

#include <QHash>
#include <QRegExp>

namespace Oad {

namespace {

bool Is_Upper_Hex_Digit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool Is_Lower_Hex_Digit(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('f');
}

QString Parameter_Name(const ParsedLine &line)
{
    return QStringLiteral("parameter %1 (%2)")
        .arg(line.split.parameter_number)
        .arg(line.split.token);
}

void Check_Field(const ParsedLine &line, const FieldReading &field, QVector<Finding> &findings)
{
    const QString &rest = line.split.rest;
    const QChar letter = field.item.letter;
    if (!field.present) {
        QString message = QStringLiteral("%1 has no field %2 (%3)")
                              .arg(line.split.token, QString(letter),
                                   field.item.help.section(QLatin1Char('\n'), 0, 0));
        if (rest.contains(letter.toLower()))
            message += QStringLiteral("; a lower-case %1 is another letter").arg(letter.toLower());
        findings.append({line.number, QStringLiteral("missing-field"), message});
        return;
    }
    const FieldPlace place = Locate_Field(letter, rest);
    const int after = place.start + place.length;
    const QString field_text = rest.mid(place.start, place.length);
    if (after < rest.size() && Is_Upper_Hex_Digit(rest.at(after))) {
        int end = after;
        while (end < rest.size() && Is_Upper_Hex_Digit(rest.at(end)))
            ++end;
        findings.append(
            {line.number, QStringLiteral("long-field"),
             QStringLiteral("field %1 of %2 has more than eight hexadecimal digits; "
                            "only %3 is read")
                 .arg(rest.mid(place.start, end - place.start), line.split.token, field_text)});
    } else if (after < rest.size() && Is_Lower_Hex_Digit(rest.at(after))) {
        findings.append({line.number, QStringLiteral("lower-case-digit"),
                         QStringLiteral("field %1 of %2 ends at the lower-case '%3'; only "
                                        "upper-case digits belong to a field, so %4 reads as %5")
                             .arg(field_text, line.split.token, QString(rest.at(after)),
                                  QString(letter), QString::number(field.value))});
    }
    // Fields are read after the token only; the same letter before it is easy to misread.
    bool before = false;
    const QString head = line.text.left(line.split.rest_start - line.split.token.length());
    LineSyntax::Get_Field_Value(letter, head, &before);
    if (before)
        findings.append({line.number, QStringLiteral("letter-before-token"),
                         QStringLiteral("field letter %1 also stands before the S token %2; "
                                        "only the %1 after the token is the field")
                             .arg(QString(letter), line.split.token)});
}

} // namespace

QVector<Finding> Check_Lines(const Document &document)
{
    QVector<Finding> findings;
    QHash<int, int> first_line; // parameter number -> first line that carries it
    for (const ParsedLine &line : document.lines) {
        if (!line.split.is_parameter_line)
            continue;
        const int number = line.split.parameter_number;
        if (first_line.contains(number)) {
            findings.append({line.number, QStringLiteral("duplicate-parameter"),
                             QStringLiteral("%1 is already on line %2")
                                 .arg(Parameter_Name(line))
                                 .arg(first_line.value(number))});
        } else {
            first_line.insert(number, line.number);
        }
        if (!line.Is_Described()) {
            findings.append({line.number, QStringLiteral("undescribed-parameter"),
                             QStringLiteral("%1 is not described; the editor edits this line "
                                            "as plain text")
                                 .arg(Parameter_Name(line))});
            continue;
        }
        for (const FieldReading &field : line.fields)
            Check_Field(line, field, findings);
    }
    return findings;
}

QVector<Finding> Check_Scale_Resolution(const Document &document)
{
    QVector<Finding> findings;
    if (document.content.scale_resolution == 0) {
        findings.append({document.resolution_line, QStringLiteral("scale-resolution"),
                         QStringLiteral("scale resolution %1 is 0; no millimetre value can be "
                                        "computed from it")
                             .arg(document.lines.at(document.resolution_line - 1).text)});
        return findings;
    }
    if (document.content.scale_resolution > 0)
        return findings;

    int last = 0;
    for (const ParsedLine &line : document.lines) {
        if (!line.text.isEmpty())
            last = line.number;
    }
    if (last == 0) {
        findings.append({0, QStringLiteral("no-scale-resolution"),
                         QStringLiteral("no scale resolution line: the file has no text")});
        return findings;
    }
    const QString text = document.lines.at(last - 1).text;
    const QRegExp attempt(QStringLiteral("^[Nn]+ ?([0-9]+)$"));
    if (attempt.exactMatch(text)) {
        findings.append({last, QStringLiteral("scale-resolution"),
                         QStringLiteral("%1 is no valid scale resolution line: it needs N "
                                        "directly followed by 2 to 6 digits")
                             .arg(text)});
        return findings;
    }
    for (const ParsedLine &line : document.lines) {
        if (DownloadFile::Scale_Resolution_Of(line.text) >= 0) {
            findings.append({line.number, QStringLiteral("no-scale-resolution"),
                             QStringLiteral("%1 is not the last non-empty line, so the file has "
                                            "no scale resolution")
                                 .arg(line.text)});
            return findings;
        }
    }
    findings.append({last, QStringLiteral("no-scale-resolution"),
                     QStringLiteral("no scale resolution line: the last non-empty line should "
                                    "be N followed by 2 to 6 digits, such as N10000")});
    return findings;
}

} // namespace Oad
