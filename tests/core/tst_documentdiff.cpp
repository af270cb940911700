#include "documentdiff.h"
#include "downloadfile.h"
#include "linesyntax.h"
#include "parametertable.h"

#include <QtTest>

using DocumentDiff::Difference;
using DocumentDiff::Kind;

class tst_DocumentDiff : public QObject
{
    Q_OBJECT

private slots:
    void compare_data();
    void compare();

private:
    TParameterTable d_table;
};

namespace {

QString Value_Text(std::optional<qint32> value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}

// "field S1.X 1/1 1000>2000": the kind, the parameter and letter, the lines in A and B,
// then the values where the kind has them, else the texts.
QString Text_Of(const Difference &difference)
{
    QString text = DocumentDiff::Kind_Name(difference.kind);
    if (difference.number >= 0)
        text += QLatin1Char(' ') + LineSyntax::Token_Of(difference.number);
    if (!difference.letter.isNull())
        text += QLatin1Char('.') + difference.letter;
    text += QStringLiteral(" %1/%2 ").arg(difference.line_a).arg(difference.line_b);
    const bool valued = difference.kind == Kind::Field || difference.kind == Kind::Other_Field ||
                        difference.kind == Kind::Scale_Resolution;
    return text + (valued ? Value_Text(difference.value_a) + '>' + Value_Text(difference.value_b)
                          : difference.text_a + '>' + difference.text_b);
}

QByteArray Lines(int count, const QByteArray &line)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line + '\n';
    return bytes;
}

} // namespace

// Each kind of difference, and what the editor does not store, which is none.
void tst_DocumentDiff::compare_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<QString>("differences"); // see Text_Of, joined by "; "

    const auto row = [](const char *name, const QByteArray &a, const QByteArray &b,
                        const char *differences) {
        QTest::newRow(name) << a << b << QString::fromUtf8(differences);
    };
    row("equal as read: line ends, blanks, zeros, token spelling, order",
        "S1 X3E8  Y7D0\r\n\r\nS02 Q10\n; note\nN1000",
        "; note\nS2 Q10\r\nS1 X00003E8 Y7D0\n\n\nN1000\n", "");
    row("bare letter equals zero", "S1 X Y1", "S1 X0 Y1", "");
    row("scale line compared by value", "S1 X1\nn1000", "S1 X1\nNN01000", "");

    row("number", "S1 X3E8 Y1", "S1 X7D0 Y1", "field S1.X 1/1 1000>2000");
    row("field on one side only", "S1 X3E8 Y1", "S1 X3E8",
        "field S1.Y 1/1 1>-; line-text S1 1/1 S1 X3E8 Y1>S1 X3E8");
    row("k-th line of a number meets the k-th", "S5 V1\nS2 Q1\nS5 V2", "S5 V1\nS5 V3\nS2 Q1",
        "field S5.V 3/2 2>3");
    row("duplicate in A", "S5 V1\nS5 V2", "S5 V1", "parameter-line S5 2/0 S5 V2>");
    row("duplicate in B", "S5 V1", "S5 V1\nS5 V1", "parameter-line S5 0/2 >S5 V1");
    row("parameter in B only", "S1 X1", "S1 X1\nS9 X1", "parameter-line S9 0/2 >S9 X1");
    row("other field", "S5 V1 X2", "S5 V1 X3", "other-field S5.X 1/1 2>3");
    row("text after the token", "S1 X1 ; fast", "S1 X1 ; slow",
        "line-text S1 1/1 S1 X1 ; fast>S1 X1 ; slow");
    row("fields written together", "S1 X1Y2 ; a", "S1 X01 Y2 ; a",
        "line-text S1 1/1 S1 X1Y2 ; a>S1 X01 Y2 ; a");
    row("text before the token", "X5 S1 X1", "S1 X1", "before-token S1 1/1 X5 >");

    row("raw line", "; a", "; b", "raw-line 1/0 ; a>; raw-line 0/1 >; b");
    row("raw lines as a multiset", "; a\n; b\n; a", "; b\n; a", "raw-line 3/0 ; a>");
    row("parameter the table does not describe", "S40 X1", "S40 X2",
        "raw-line 1/0 S40 X1>; raw-line 0/1 >S40 X2");
    row("scale line not last is a raw line", "N1000\nS1 X1", "S1 X1", "raw-line 1/0 N1000>");

    row("scale line", "S1 X1\nN1000", "S1 X1\nN10000", "scale-resolution 2/2 1000>10000");
    row("scale line on one side", "S1 X1\nN1000", "S1 X1", "scale-resolution 2/0 1000>-");

    row("after a NUL", QByteArray("S1 X1\0abc\n", 10), QByteArray("S1 X1\0abd\n", 10),
        "after-nul 1/1 abc>abd");
    row("NUL on one side", QByteArray("S1 X1\0 X2\n", 10), "S1 X1", "after-nul 1/0  X2>");
    row("beyond the limit", Lines(128, "; x") + "S1 X1\n", Lines(128, "; x") + "S1 X2",
        "beyond-limit 129/129 S1 X1>S1 X2");
    row("beyond the limit: line ends are none, the first line that differs",
        Lines(128, "; x") + "; a\r\n; b\r\n; c", Lines(128, "; x") + "; a\n; B\n; c\n",
        "beyond-limit 130/130 ; b>; B");
    row("beyond the limit, equal but for line ends", Lines(128, "; x") + "; a\r\n; b",
        Lines(128, "; x") + "; a\n; b\n", "");
    row("beyond the limit on one side", Lines(128, "; x") + "S1 X1\n", Lines(128, "; x"),
        "beyond-limit 129/0 S1 X1>");

    row("parameters in order of appearance, then raw lines and the scale",
        "S2 Q1\nS1 X1\n; a\nN1000", "S1 X2\nS2 Q2\n; b\nN10",
        "field S2.Q 1/2 1>2; field S1.X 2/1 1>2; raw-line 3/0 ; a>; raw-line 0/3 >; b; "
        "scale-resolution 4/4 1000>10");
}

void tst_DocumentDiff::compare()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QStringList texts;
    for (const Difference &difference :
         DocumentDiff::Compare(DocumentDiff::Side_Of(a), DocumentDiff::Side_Of(b), d_table))
        texts.append(Text_Of(difference));
    QTEST(texts.join(QStringLiteral("; ")), "differences");
}

QTEST_GUILESS_MAIN(tst_DocumentDiff)
#include "tst_documentdiff.moc"
