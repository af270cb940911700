#include "getcommand.h"

#include "assignment.h"
#include "console.h"
#include "fieldtext.h"
#include "valueformat.h"

namespace Oad {

namespace {

// The value in the form asked for; empty, with the reason in error, when it has none.
QString Value_Form(const Target &target, const Options &options, const Document &document,
                   QString *error)
{
    const qint32 value = target.Field().value;
    switch (options.form) {
    case Options::Form::Int:
        break;
    case Options::Form::Hex:
        return ValueFormat::Hex_Text(value);
    case Options::Form::Mm: {
        const Resolution resolution = Choose_Resolution(document, options.resolution);
        if (!target.Field().item.scaled)
            *error = QStringLiteral("field %1 is not a length").arg(target.Field().item.letter);
        else if (resolution.source == Resolution::Source::Default)
            *error = QStringLiteral("the file has no valid scale resolution line; give "
                                    "--resolution");
        else
            return Mm_Of(value, true, resolution.value);
        return QString();
    }
    }
    return ValueFormat::Int_Text(value);
}

} // namespace

int Run_Get(const Options &options, TConsole &console)
{
    QVector<FieldReference> references;
    for (int i = 1; i < options.arguments.size(); ++i) {
        const auto reference = Parse_Reference(options.arguments.at(i));
        if (!reference) {
            console.Complain(QStringLiteral("%1 names no field; write it as S1.X")
                                 .arg(Shown(options.arguments.at(i))));
            return Exit_Trouble;
        }
        references.append(*reference);
    }
    Document document;
    if (!Load_Or_Report(options.arguments.at(0), &document, console))
        return Exit_Trouble;
    int status = Exit_Ok;
    for (const FieldReference &reference : qAsConst(references)) {
        Target target;
        QString error;
        QString text;
        if (Find_Target(document, reference, options.line, &target, &error))
            text = Value_Form(target, options, document, &error);
        if (!error.isEmpty()) {
            // An empty line keeps every other value on the line of its name.
            console.Complain(QStringLiteral("%1: %2").arg(Shown(reference.text), error));
            status = Exit_Found;
        }
        console.Out(text + QLatin1Char('\n'));
    }
    return status;
}

} // namespace Oad
