#include "commissioningreport.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "testsupport.h"
#include "valueformat.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using CommissioningReport::ReportInput;
using CommissioningReport::ResolutionSource;

namespace {

const QString Example = QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad");

// The rows of every table in the HTML, each as its cells' text: tags dropped, a line break
// as " / ", entities kept as they are written.
QVector<QStringList> Rows(const QString &html)
{
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QVector<QStringList> rows;
    for (auto r = row.globalMatch(html); r.hasNext();) {
        QStringList cells;
        for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext();)
            cells += c.next()
                         .captured(1)
                         .replace(QStringLiteral("<br>"), QStringLiteral(" / "))
                         .remove(tag)
                         .trimmed();
        rows += cells;
    }
    return rows;
}

ReportInput Example_Input()
{
    ReportInput input;
    QString error;
    if (!CommissioningReport::Read_File(Example, &input.document, &error))
        qFatal("cannot read the example: %s", qPrintable(error));
    input.resolution = 10000;
    input.resolution_source = ResolutionSource::File;
    input.generated = QDateTime(QDate(2026, 12, 7), QTime(9, 30), Qt::OffsetFromUTC, 3600);
    return input;
}

QString Html_Of(const ReportInput &input)
{
    return CommissioningReport::Build_Html(input, TParameterTable());
}

} // namespace

class tst_CommissioningReport : public QObject
{
    Q_OBJECT

private slots:
    void everyField();
    void rows_data();
    void rows();
    void header_data();
    void header();
    void reference_data();
    void reference();
    void printable();
    void readFile();
};

// Every field of every described line of the example, in file order, with its help text,
// integer, hexadecimal and, for lengths, millimetres.
void tst_CommissioningReport::everyField()
{
    const ReportInput input = Example_Input();
    QVector<QStringList> rows = Rows(Html_Of(input));
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const QStringList &row) { return row.size() != 7; }),
               rows.end());
    QCOMPARE(rows.first(),
             QStringList({"Line", "Parameter", "Field", "Help text", "Integer", "Hex", "mm"}));
    int next = 1;
    for (int i = 0; i < input.document.lines.size(); ++i) {
        const LineSyntax::ParameterLine read =
            LineSyntax::Read_Parameter_Line(input.document.lines.at(i), TParameterTable());
        for (int f = 0; f < read.fields.size(); ++f, ++next) {
            const LineSyntax::FieldReading &field = read.fields.at(f);
            QVERIFY(field.present);
            const double mm = ValueFormat::To_Millimetres(field.value, 10000);
            const QStringList expected{
                f == 0 ? QString::number(i + 1) : QString(),
                f == 0 ? read.split.token : QString(),
                field.item.letter,
                QString(field.item.help).replace('\n', QStringLiteral(" / ")).toHtmlEscaped(),
                QString::number(field.value),
                QString::number(quint32(field.value), 16).toUpper(),
                field.item.scaled ? QString::number(mm, 'f', 4) : QString()};
            QCOMPARE(rows.value(next), expected);
        }
    }
    QCOMPARE(next, rows.size()); // nothing else in the table
    QCOMPARE(next, 1 + 74);      // the example's described fields
}

// Rows the record must hold, among all its tables.
void tst_CommissioningReport::rows_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: the example
    QTest::addColumn<QStringList>("row");

    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &cells) {
        QTest::newRow(name) << bytes << cells;
    };
    row("a missing field", "S1 X3E8\nN1000\n",
        {"", "", "Y", "Y axis maximum velocity", "not present", "", ""});
    // What a parameter line holds besides its token and fields: a digit past the eighth, a
    // comment.
    row("other text on a parameter line", "S5 V123456789 ; <Eilgang>\nN1000\n",
        {"", "", "", "Also on the line: 9 ; &lt;Eilgang&gt;", "", "", ""});
    row("comment", "", {"1", "; Machine 4711 - calibrated 2026-11-20", ""});
    row("blank line", "", {"3", "", "blank"});
    row("parameter not described", "",
        {"26", "S30 X1F4 Y0", "parameter 48 (S30) is not described; edited as text"});
    row("scale resolution line", "", {"30", "N10000", "scale resolution line"});
    // Text from the file is never markup, and control characters are spelt out.
    row("markup and control characters", "; <b>Tom & Jerry</b>\x1b[31m\nN1000\n",
        {"1", "; &lt;b&gt;Tom &amp; Jerry&lt;/b&gt;\\x1b[31m", ""});
    row("check finding", "S5 V1.5\nN1000\n",
        {"1", "field-end", "field V1 of S5 goes on with &quot;.5&quot;; the editor reads V as 1"});
    row("check finding of the bytes only", "S2 Q1\r\nN1000\x01\r\n",
        {"2", "control-byte", "Line 2 holds control bytes; the file may not be text."});
    row("sign-off", "", {"Technician:", "______________________________________________"});
}

void tst_CommissioningReport::rows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, row);
    ReportInput input = Example_Input();
    if (!bytes.isEmpty()) {
        input.document.disk_bytes = bytes;
        input.document.disk_sha256.clear();
        input.document.lines = DownloadFile::Read(bytes).lines;
    }
    const QVector<QStringList> rows = Rows(Html_Of(input));
    QVERIFY2(rows.contains(row), qPrintable(Html_Of(input)));
}

// The facts at the top: name and path, time, hash, unsaved changes, resolution and source.
void tst_CommissioningReport::header_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("disk_error");
    QTest::addColumn<QString>("fact");  // a label
    QTest::addColumn<QString>("value"); // its text; "SHA" stands for the example's hash

    const auto row = [](const char *name, bool unsaved, int resolution, ResolutionSource source,
                        const QString &fact, const QString &value,
                        const QString &disk_error = QString()) {
        QTest::newRow(name) << unsaved << resolution << int(source) << disk_error << fact << value;
    };
    const auto file = ResolutionSource::File;
    row("name", false, 10000, file, "File", "example.oad");
    row("full path", false, 10000, file, "Full path", QFileInfo(Example).absoluteFilePath());
    row("date and time", false, 10000, file, "Date and time", "2026-12-07 09:30:00 (UTC+01:00)");
    row("saved", false, 10000, file, "SHA-256", "SHA (the bytes on disk)");
    row("unsaved changes", true, 10000, file, "SHA-256",
        "SHA (the bytes on disk) / The editor holds unsaved changes: the lines below are those "
        "shown in the editor and differ from the file on disk.");
    row("unreadable on disk", false, 10000, file, "SHA-256",
        "none: the file cannot be read from disk (Permission denied)", "Permission denied");
    row("resolution from the file", false, 10000, file, "Scale resolution",
        "10000 counts per millimetre, from line 30 of the file (N10000)");
    row("resolution from the editor", false, 1000, ResolutionSource::Editor, "Scale resolution",
        "1000 counts per millimetre, as set in the editor's Scale Resolution field; the file's "
        "own scale resolution line says 10000");
    row("resolution from the option", false, 10000, ResolutionSource::Option, "Scale resolution",
        "10000 counts per millimetre, as given with --resolution");
    row("lines", false, 10000, file, "Lines", "30 (parameter lines: 25, other lines: 5)");
}

void tst_CommissioningReport::header()
{
    QFETCH(bool, unsaved);
    QFETCH(int, resolution);
    QFETCH(int, source);
    QFETCH(QString, disk_error);
    QFETCH(QString, fact);
    QFETCH(QString, value);
    ReportInput input = Example_Input();
    input.unsaved_changes = unsaved;
    input.resolution = resolution;
    input.resolution_source = ResolutionSource(source);
    input.document.disk_error = disk_error;
    const QString sha = QString::fromLatin1(
        QCryptographicHash::hash(TestSupport::Read_Bytes(Example), QCryptographicHash::Sha256)
            .toHex());
    const QStringList expected{fact, value.replace(QStringLiteral("SHA"), sha)};
    QVERIFY2(Rows(Html_Of(input)).contains(expected), qPrintable(Html_Of(input)));
}

// With a reference: its name and hash, and both sides of every difference.
void tst_CommissioningReport::reference_data()
{
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QStringList>("row");

    const QByteArray example = TestSupport::Read_Bytes(Example);
    const auto row = [](const char *name, const QByteArray &reference, const QStringList &cells) {
        QTest::newRow(name) << reference << cells;
    };
    row("name", example, {"Reference", "reference.oad"});
    row("hash", example,
        {"SHA-256", QString::fromLatin1(
                        QCryptographicHash::hash(example, QCryptographicHash::Sha256).toHex()) +
                        " (the bytes on disk)"});
    row("equal", example, {}); // no difference rows; checked below
    row("field", QByteArray(example).replace("S2 Q4C4B40", "S2 Q3D0900"),
        {"S2", "Q", "Maximum 3D acceleration", "5000000 / hex 4C4B40 / 500.0000 mm / line 5",
         "4000000 / hex 3D0900 / 400.0000 mm / line 5"});
    // The reference's lengths at its own resolution.
    row("field at the reference's resolution",
        QByteArray(example).replace("S5 V4E20", "S5 V4E21").replace("N10000", "N1000"),
        {"S5", "V", "Probe maximum touch speed", "20000 / hex 4E20 / 2.0000 mm / line 8",
         "20001 / hex 4E21 / 20.0010 mm / line 8"});
    row("parameter line only here", QByteArray(example).replace("S4 U200\r\n", ""),
        {"S4", "", "the parameter line, on one side only", "S4 U200 / line 7", "missing"});
    row("raw line only there", example + "; spare\r\n",
        {"", "", "a line of other text, on one side only", "missing", "; spare / line 31"});
}

void tst_CommissioningReport::reference()
{
    QFETCH(QByteArray, reference);
    QFETCH(QStringList, row);
    ReportInput input = Example_Input();
    input.reference = CommissioningReport::ReportFile();
    input.reference->path = QStringLiteral("/srv/reference.oad");
    input.reference->disk_bytes = reference;
    input.reference->lines = DownloadFile::Read(reference).lines;
    const QString html = Html_Of(input);
    const QVector<QStringList> rows = Rows(html);
    if (row.isEmpty()) {
        QVERIFY(html.contains("No differences: the files are equal as the editor reads them."));
        QVERIFY(!rows.contains({"Parameter", "Field", "Help text", "This file", "Reference"}));
        return;
    }
    QVERIFY2(rows.contains(row), qPrintable(html));
}

// What QTextDocument needs to print the record well: a header row in <thead> for every
// ruled table, so it repeats on each page, and column shares that fill the page exactly.
void tst_CommissioningReport::printable()
{
    ReportInput input = Example_Input();
    input.reference = input.document;
    input.reference->disk_bytes.replace("S2 Q4C4B40", "S2 Q3D0900");
    input.reference->disk_sha256.clear();
    input.reference->lines = DownloadFile::Read(input.reference->disk_bytes).lines;
    const QString html = Html_Of(input);
    QVERIFY(html.startsWith("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"));
    // The example's one finding (S30 is not described) and the one field changed.
    QVERIFY(html.contains("<p>One finding, as <tt>oadtool check</tt> reports it:</p>"));
    QVERIFY(html.contains("<p>One difference:</p>"));
    static const QRegularExpression table(
        QStringLiteral("<table border=\"1\"[^>]*>\\s*<thead><tr>(.*?)</tr></thead>"));
    static const QRegularExpression width(QStringLiteral("<th width=\"(\\d+)%\""));
    int tables = 0;
    for (auto t = table.globalMatch(html); t.hasNext(); ++tables) {
        int sum = 0;
        for (auto w = width.globalMatch(t.next().captured(1)); w.hasNext();)
            sum += w.next().captured(1).toInt();
        QCOMPARE(sum, 100);
    }
    // Parameters, other lines, checks and differences; no ruled table without a header.
    QCOMPARE(tables, 4);
    QCOMPARE(html.count("<table border=\"1\""), 4);
}

// The hash is of all of the file, also past what the editor reads; a folder is refused.
void tst_CommissioningReport::readFile()
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.oad"));
    const QByteArray bytes = QByteArray("S2 Q1\n") + QByteArray(17 * 1024 * 1024, ';');
    QVERIFY(TestSupport::Write_Bytes(big, bytes));
    CommissioningReport::ReportFile file;
    QString error;
    QVERIFY2(CommissioningReport::Read_File(big, &file, &error), qPrintable(error));
    QCOMPARE(file.disk_sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    QCOMPARE(file.disk_bytes.size(), DownloadFile::Max_Read_Bytes + 1);
    QCOMPARE(file.lines.value(0), QStringLiteral("S2 Q1"));
    QVERIFY(!CommissioningReport::Read_File(dir.path(), &file, &error));
    QVERIFY2(!error.isEmpty(), "no reason given");
}

QTEST_GUILESS_MAIN(tst_CommissioningReport)
#include "tst_commissioningreport.moc"
