#include "diffcommand.h"

#include "console.h"
#include "document.h"
#include "documentdiff.h"
#include "fieldtext.h"
#include "jsonwriter.h"

namespace Oad {

namespace {

using DocumentDiff::Difference;
using DocumentDiff::Kind;

// The described item of a field difference; an empty one for the other kinds.
ParameterItem Item_Of(const Difference &difference)
{
    if (difference.kind == Kind::Field)
        for (const ParameterItem &item : Table().Get_Description(difference.number).items)
            if (item.letter == difference.letter)
                return item;
    return ParameterItem();
}

bool Has_Values(const Difference &difference)
{
    return difference.kind == Kind::Field || difference.kind == Kind::Other_Field ||
           difference.kind == Kind::Scale_Resolution;
}

struct Resolutions
{
    Resolution a;
    Resolution b;
};

// A field's value as {"hex", "int", "mm", "present"}, a scale resolution as its number.
void Write_Values(TJsonWriter &json, const Difference &difference, std::optional<qint32> value,
                  int resolution)
{
    if (difference.kind == Kind::Scale_Resolution)
        json.Number_Or_Null(value);
    else if (Has_Values(difference))
        Write_Value(json, value, Item_Of(difference).scaled, resolution);
    else
        json.Null();
}

void Write_Difference_Json(TJsonWriter &json, const Difference &difference,
                           const Resolutions &resolutions)
{
    const ParameterItem item = Item_Of(difference);
    const auto text_or_null = [&json](const char *key, bool present, const QString &text) {
        json.Key(key);
        if (present)
            json.Text(text);
        else
            json.Null();
    };
    const auto number_or_null = [&json](const char *key, bool present, int number) {
        json.Key(key).Number_Or_Null(present ? std::optional<qint64>(number) : std::nullopt);
    };
    const bool parameter = difference.number >= 0;
    json.Begin_Object();
    Write_Values(json.Key("a"), difference, difference.value_a, resolutions.a.value);
    Write_Values(json.Key("b"), difference, difference.value_b, resolutions.b.value);
    text_or_null("help", !item.help.isEmpty(), item.help);
    json.Key("kind").Text(DocumentDiff::Kind_Name(difference.kind));
    text_or_null("letter", !difference.letter.isNull(), QString(difference.letter));
    number_or_null("line_a", difference.line_a > 0, difference.line_a);
    number_or_null("line_b", difference.line_b > 0, difference.line_b);
    number_or_null("parameter", parameter, difference.number);
    text_or_null("text_a", difference.line_a > 0, difference.text_a);
    text_or_null("text_b", difference.line_b > 0, difference.text_b);
    text_or_null("token", parameter, LineSyntax::Token_Of(difference.number));
    json.End_Object();
}

QString Line_Pair(const Difference &difference)
{
    const auto line = [](int number) {
        return number > 0 ? QStringLiteral("line %1").arg(number) : QStringLiteral("none");
    };
    return line(difference.line_a) + QStringLiteral(" / ") + line(difference.line_b);
}

// The heading of a difference shown as two values or texts, "- A" and "+ B" below it.
QString Heading(const Difference &difference)
{
    const QString token = LineSyntax::Token_Of(difference.number);
    switch (difference.kind) {
    case Kind::Field:
        return QStringLiteral("%1.%2").arg(token, difference.letter);
    case Kind::Other_Field:
        return QStringLiteral("%1.%2 (not described for %1)").arg(token, difference.letter);
    case Kind::Line_Text:
        return QStringLiteral("%1 text").arg(token);
    case Kind::Before_Token:
        return QStringLiteral("%1 before the S token").arg(token);
    case Kind::Scale_Resolution:
        return QStringLiteral("scale resolution");
    case Kind::After_Nul:
        return QStringLiteral("after a NUL byte");
    case Kind::Beyond_Limit:
        return QStringLiteral("after line %1").arg(DownloadFile::Max_Lines);
    case Kind::Parameter_Line:
    case Kind::Raw_Line:
        break;
    }
    return QString();
}

// A difference on out; the texts of lines streamed, as a line may be long.
void Write_Difference(const Difference &difference, const Resolutions &resolutions,
                      TConsole &console)
{
    if (difference.kind == Kind::Parameter_Line || difference.kind == Kind::Raw_Line) {
        const bool in_a = difference.line_a > 0;
        console.Out(QStringLiteral("%1 %2  line %3: ")
                        .arg(in_a ? QStringLiteral("-") : QStringLiteral("+"),
                             difference.kind == Kind::Raw_Line
                                 ? QStringLiteral("raw")
                                 : LineSyntax::Token_Of(difference.number),
                             QString::number(in_a ? difference.line_a : difference.line_b)));
        console.Out_Shown(in_a ? difference.text_a : difference.text_b);
        console.Out(QStringLiteral("\n"));
        return;
    }
    const ParameterItem item = Item_Of(difference);
    QString heading = Heading(difference) + QStringLiteral("  ") + Line_Pair(difference);
    if (!item.help.isEmpty())
        heading += QStringLiteral("  ") + Indented_Help(item.help, heading.length() + 2);
    console.Out(heading);
    const auto side = [&](const char *sign, int line, const QString &text,
                          std::optional<qint32> value, int resolution) {
        console.Out(QStringLiteral("\n  %1 ").arg(QLatin1String(sign)));
        if (difference.kind == Kind::Scale_Resolution)
            console.Out(value ? QString::number(*value) : QStringLiteral("none"));
        else if (Has_Values(difference))
            console.Out(Value_Text(value, item.scaled, resolution));
        else if (line > 0)
            console.Out_Shown(text);
        else
            console.Out(QStringLiteral("none"));
    };
    side("-", difference.line_a, difference.text_a, difference.value_a, resolutions.a.value);
    side("+", difference.line_b, difference.text_b, difference.value_b, resolutions.b.value);
    console.Out(QStringLiteral("\n"));
}

void Write_Json(const Document &a, const Document &b, const QVector<Difference> &differences,
                const Resolutions &resolutions, TConsole &console)
{
    const auto line = [](const Resolution &resolution) {
        return resolution.line > 0 ? std::optional<qint64>(resolution.line) : std::nullopt;
    };
    TJsonWriter json(console);
    json.Begin_Object();
    json.Key("a").Text(Json_Name(a.path));
    json.Key("b").Text(Json_Name(b.path));
    json.Key("differences").Begin_Array();
    for (const Difference &difference : differences)
        Write_Difference_Json(json, difference, resolutions);
    json.End_Array();
    json.Key("equal").Boolean(differences.isEmpty());
    json.Key("resolution_a").Number(resolutions.a.value);
    json.Key("resolution_b").Number(resolutions.b.value);
    json.Key("resolution_line_a").Number_Or_Null(line(resolutions.a));
    json.Key("resolution_line_b").Number_Or_Null(line(resolutions.b));
    json.Key("resolution_source_a").Text(Source_Name(resolutions.a.source));
    json.Key("resolution_source_b").Text(Source_Name(resolutions.b.source));
    json.End_Object();
}

// Each file's name with the resolution its millimetres are shown at, as show names it.
void Write_Text(const Document &a, const Document &b, const QVector<Difference> &differences,
                const Resolutions &resolutions, TConsole &console)
{
    console.Out(QStringLiteral("--- %1  scale resolution %2\n+++ %3  scale resolution %4\n")
                    .arg(Shown_Name(a.path), Resolution_Text(resolutions.a), Shown_Name(b.path),
                         Resolution_Text(resolutions.b)));
    for (const Difference &difference : differences)
        Write_Difference(difference, resolutions, console);
}

} // namespace

int Run_Diff(const Options &options, TConsole &console)
{
    Document a;
    Document b;
    // Both are tried, so that each one that cannot be read is told.
    const bool read_a = Load_Or_Report(options.arguments.at(0), &a, console, options.json);
    const bool read_b = Load_Or_Report(options.arguments.at(1), &b, console, options.json);
    if (!read_a || !read_b)
        return Exit_Trouble;
    // Each file's counts are shown in its own millimetres unless the option says otherwise.
    Warn_Resolution(a, options.resolution, console);
    Warn_Resolution(b, options.resolution, console);
    const Resolutions resolutions{Choose_Resolution(a, options.resolution),
                                  Choose_Resolution(b, options.resolution)};
    const QVector<Difference> differences =
        DocumentDiff::Compare(DocumentDiff::Side_Of(a.content, a.bytes),
                              DocumentDiff::Side_Of(b.content, b.bytes), Table());
    // What was not read cannot be called equal; a difference in what was read stands.
    for (const Document *document : {&a, &b}) {
        if (document->complete)
            continue;
        const QString unread =
            QStringLiteral("%1 is larger than %2 bytes, and only that much of it is read")
                .arg(Shown_Name(document->path), QString::number(DownloadFile::Max_Read_Bytes));
        if (!differences.isEmpty()) {
            console.Warn(unread + QStringLiteral("; the rest is not compared"));
            continue;
        }
        Report_Failure(document->path,
                       QStringLiteral("cannot tell whether the files are equal: ") + unread,
                       console, options.json);
        return Exit_Trouble;
    }
    if (options.json)
        Write_Json(a, b, differences, resolutions, console);
    else if (!differences.isEmpty())
        Write_Text(a, b, differences, resolutions, console);
    return differences.isEmpty() ? Exit_Ok : Exit_Found;
}

} // namespace Oad
