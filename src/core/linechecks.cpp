#include "filechecks.h"
#include "textescape.h"

#include <QHash>

namespace FileChecks {

namespace {

using TextEscape::Shown;

using LineSyntax::FieldReading;
using LineSyntax::Span;

QString Parameter_Name(const CheckedLine &line)
{
    return QStringLiteral("parameter %1 (%2)").arg(line.read.Number()).arg(line.read.split.token);
}

QString Quoted(QChar c)
{
    return QStringLiteral("'%1'").arg(Shown(QString(c)));
}

// The text from position up to the next blank; a long word only by its start.
QString Word_At(const QString &text, int position)
{
    const int blank = text.indexOf(QLatin1Char(' '), position);
    return TextEscape::Excerpt(text.midRef(position, blank < 0 ? -1 : blank - position));
}

bool Is_Item_Letter(QChar c, const CheckedLine &line)
{
    for (const FieldReading &field : line.read.fields)
        if (field.item.letter == c)
            return true;
    return false;
}

// What follows a field's digits, unless it is a blank, the line's end or the next field of
// the parameter written without a blank.
void Check_Field_End(const CheckedLine &line, const FieldReading &field, QVector<Finding> &findings)
{
    const QString &text = line.text;
    const int after = field.span.start + field.span.length;
    if (after >= text.size() || text.at(after) == QLatin1Char(' ') ||
        Is_Item_Letter(text.at(after), line))
        return;
    const QString field_text = text.mid(field.span.start, field.span.length);
    const QString token = line.read.split.token;
    const QChar next = text.at(after);
    if (LineSyntax::Is_Field_Digit(next)) {
        findings.append({line.number, QStringLiteral("long-field"),
                         QStringLiteral("field %1 of %2 has more than eight hexadecimal digits; "
                                        "only %3 is read")
                             .arg(Word_At(text, field.span.start), token, field_text)});
    } else if (LineSyntax::Is_Lower_Case_Digit(next)) {
        findings.append({line.number, QStringLiteral("lower-case-digit"),
                         QStringLiteral("field %1 of %2 ends at the lower-case %3; only "
                                        "upper-case digits belong to a field, so %4 reads as %5")
                             .arg(field_text, token, Quoted(next), QString(field.item.letter))
                             .arg(field.value)});
    } else {
        findings.append({line.number, QStringLiteral("field-end"),
                         QStringLiteral("field %1 of %2 goes on with \"%3\"; the editor reads %4 "
                                        "as %5")
                             .arg(field_text, token, Word_At(text, after),
                                  QString(field.item.letter), QString::number(field.value))});
    }
}

void Check_One_Field(const CheckedLine &line, const FieldReading &field, QVector<Finding> &findings)
{
    const QString &text = line.text;
    const QString &token = line.read.split.token;
    const QChar letter = field.item.letter;
    if (!field.present) {
        QString message =
            QStringLiteral("%1 has no field %2 (%3)")
                .arg(token, QString(letter), field.item.help.section(QLatin1Char('\n'), 0, 0));
        if (text.midRef(line.read.split.rest_start).contains(letter.toLower()))
            message += QStringLiteral("; a lower-case %1 is another letter").arg(letter.toLower());
        findings.append({line.number, QStringLiteral("missing-field"), message});
        return;
    }
    if (field.span.length == 1)
        findings.append({line.number, QStringLiteral("bare-field"),
                         QStringLiteral("field %1 of %2 has no digits (in \"%3\"); the editor "
                                        "reads %1 as 0")
                             .arg(QString(letter), token, Word_At(text, field.span.start))});
    else
        Check_Field_End(line, field, findings);
    const Span again = LineSyntax::Find_Field(letter, text, field.span.start + field.span.length);
    if (again.length > 1)
        findings.append({line.number, QStringLiteral("repeated-field"),
                         QStringLiteral("field %1 of %2 stands again as %3; the editor reads "
                                        "only the first, %4")
                             .arg(QString(letter), token, text.mid(again.start, again.length),
                                  text.mid(field.span.start, field.span.length))});
    // Fields are read after the token only; the same letter before it is easy to misread.
    const int head = line.read.split.rest_start - token.size();
    const int before = text.indexOf(letter);
    if (before >= 0 && before < head)
        findings.append({line.number, QStringLiteral("letter-before-token"),
                         QStringLiteral("field letter %1 also stands before the S token %2; "
                                        "only the %1 after the token is the field")
                             .arg(QString(letter), token)});
}

// Letters that the table gives to fields of some parameter, but not to this one.
void Check_Other_Fields(const CheckedLine &line, QVector<Finding> &findings)
{
    static const QString letters = LineSyntax::Field_Letters(TParameterTable());
    for (const QChar letter : letters) {
        if (Is_Item_Letter(letter, line))
            continue;
        const Span span = LineSyntax::Find_Field(letter, line.text, line.read.split.rest_start);
        if (span.length > 1)
            findings.append({line.number, QStringLiteral("other-field"),
                             QStringLiteral("%1 has no field %2, so the editor neither shows nor "
                                            "edits %3")
                                 .arg(line.read.split.token, QString(letter),
                                      line.text.mid(span.start, span.length))});
    }
}

void Check_Token(const CheckedLine &line, QVector<Finding> &findings)
{
    const QString &text = line.text;
    const LineSyntax::Split &split = line.read.split;
    const Span misspelt = LineSyntax::Find_Misspelt_Token(text);
    if (misspelt.Is_Found())
        findings.append({line.number, QStringLiteral("token-spelling"),
                         QStringLiteral("\"%1\" is no S token, which is an upper-case S "
                                        "directly followed by upper-case hexadecimal digits")
                             .arg(Shown(text.mid(misspelt.start, misspelt.length)))});
    if (!split.is_parameter_line)
        return;
    const int after = split.rest_start;
    if (after < text.size() && (LineSyntax::Is_Field_Digit(text.at(after)) ||
                                LineSyntax::Is_Lower_Case_Digit(text.at(after))))
        findings.append({line.number, QStringLiteral("token-digit"),
                         QStringLiteral("%1 is followed by %2, which is no part of the S token: "
                                        "the editor reads parameter %3")
                             .arg(split.token, Quoted(text.at(after)))
                             .arg(split.parameter_number)});
    const Span second = LineSyntax::Find_Token(text, after);
    if (second.Is_Found())
        findings.append({line.number, QStringLiteral("second-token"),
                         QStringLiteral("a second S token %1 after %2; the editor reads only the "
                                        "first")
                             .arg(text.mid(second.start, second.length), split.token)});
}

} // namespace

QVector<Finding> Check_Field(const CheckedLine &line, const LineSyntax::FieldReading &field)
{
    QVector<Finding> findings;
    Check_One_Field(line, field, findings);
    return findings;
}

QVector<Finding> Check_Lines(const CheckedFile &document)
{
    QVector<Finding> findings;
    QHash<int, int> first_line; // parameter number -> first line that carries it
    for (const CheckedLine &line : document.lines) {
        Check_Token(line, findings);
        if (!line.read.split.is_parameter_line)
            continue;
        const int number = line.read.Number();
        if (first_line.contains(number))
            findings.append({line.number, QStringLiteral("duplicate-parameter"),
                             QStringLiteral("%1 is already on line %2")
                                 .arg(Parameter_Name(line))
                                 .arg(first_line.value(number))});
        else
            first_line.insert(number, line.number);
        if (!line.read.Is_Described()) {
            findings.append({line.number, QStringLiteral("undescribed-parameter"),
                             QStringLiteral("%1 is not described; the editor edits this line "
                                            "as plain text")
                                 .arg(Parameter_Name(line))});
            continue;
        }
        for (const FieldReading &field : line.read.fields)
            Check_One_Field(line, field, findings);
        Check_Other_Fields(line, findings);
    }
    return findings;
}

QVector<Finding> Check_Scale_Resolution(const CheckedFile &document)
{
    QVector<Finding> findings;
    const int effective = document.resolution_line;
    for (const CheckedLine &line : document.lines) {
        if (line.number == effective || DownloadFile::Scale_Resolution_Of(line.text) < 0)
            continue;
        if (effective > 0)
            findings.append({line.number, QStringLiteral("several-scale-lines"),
                             QStringLiteral("%1 is a second scale resolution line; only the last "
                                            "non-empty line, %2, counts")
                                 .arg(Shown(line.text), QString::number(effective))});
        else
            findings.append({line.number, QStringLiteral("no-scale-resolution"),
                             QStringLiteral("%1 is not the last non-empty line, so the file has "
                                            "no scale resolution")
                                 .arg(Shown(line.text))});
    }
    if (document.content.scale_resolution == 0)
        findings.append({effective, QStringLiteral("scale-resolution"),
                         QStringLiteral("scale resolution %1 is 0; no millimetre value can be "
                                        "computed from it")
                             .arg(Shown(document.lines.at(effective - 1).text))});
    if (document.content.scale_resolution >= 0 || !findings.isEmpty())
        return findings;
    const int last = DownloadFile::Last_Text_Line(document.content.lines) + 1;
    if (last == 0) {
        findings.append({0, QStringLiteral("no-scale-resolution"),
                         QStringLiteral("no scale resolution line: the file has no text")});
        return findings;
    }
    const QString text = document.lines.at(last - 1).text;
    if (DownloadFile::Is_Near_Scale_Line(text))
        findings.append({last, QStringLiteral("scale-resolution"),
                         QStringLiteral("%1 is no valid scale resolution line: it needs %2")
                             .arg(Shown(text), DownloadFile::Scale_Line_Rule())});
    else
        findings.append({last, QStringLiteral("no-scale-resolution"),
                         QStringLiteral("no scale resolution line: the last non-empty line "
                                        "should be %1, such as N10000")
                             .arg(DownloadFile::Scale_Line_Rule())});
    return findings;
}

} // namespace FileChecks
