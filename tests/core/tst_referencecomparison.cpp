#include "downloadfile.h"
#include "parametertable.h"
#include "referencecomparison.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>

using TestSupport::Write_Bytes;

namespace {

QByteArray Lines(int count, const QByteArray &line)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line + '\n';
    return bytes;
}

// "0 2": the marked document lines in order.
QString Marks(const QSet<int> &lines)
{
    QList<int> sorted = lines.values();
    std::sort(sorted.begin(), sorted.end());
    QStringList texts;
    for (const int line : qAsConst(sorted))
        texts << QString::number(line);
    return texts.join(QLatin1Char(' '));
}

// "0 XY shown X7D0, 2 Q lossy 3": per document line with differing fields, its letters,
// whether the reference line is shown, the lossy reference line and the values offered.
QString Offers(const TReferenceComparison &comparison, int line_count)
{
    QStringList offers;
    for (int i = 0; i < line_count; ++i) {
        const QString letters = comparison.Get_Differing_Letters(i);
        if (letters.isEmpty())
            continue;
        QString text = QString::number(i) + QLatin1Char(' ') + letters;
        if (comparison.Get_Reference_Line(i))
            text += QStringLiteral(" shown");
        if (const int line = comparison.Get_Lossy_Reference_Line(i))
            text += QStringLiteral(" lossy %1").arg(line);
        for (const LineSyntax::FieldAssignment &value : comparison.Get_Reference_Values(i))
            text += QLatin1Char(' ') + value.letter + QString::number(value.value, 16).toUpper();
        offers << text;
    }
    return offers.join(QStringLiteral(", "));
}

QString Sentences(const QVector<DownloadFile::Loss> &losses)
{
    QStringList sentences;
    for (const DownloadFile::Loss &loss : DownloadFile::Summarise(losses))
        sentences << DownloadFile::Describe(loss);
    return sentences.join(QLatin1Char('\n'));
}

} // namespace

class tst_ReferenceComparison : public QObject
{
    Q_OBJECT

private slots:
    void compare_data();
    void compare();
    void load_data();
    void load();

private:
    TParameterTable d_table;
    QTemporaryDir d_dir;
};

void tst_ReferenceComparison::compare_data()
{
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QStringList>("document");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("offers");     // see Offers
    QTest::addColumn<QString>("resolution"); // the reference's, with 4321 as the fallback

    const auto row = [](const char *name, const QByteArray &reference, const char *document,
                        const char *marks, const char *summary, const char *offers,
                        const char *resolution) {
        QTest::newRow(name) << reference << QString(document).split(QLatin1Char('|')) << marks
                            << QString::fromUtf8(summary) << offers << resolution;
    };
    row("number, only here, only in the reference", "S1 X3E8 Y1\nS2 Q10\nS9 U1\nN1000\n",
        "S1 X3E8 Y7D0|S2 Q10|S5 V1|N1000", "0 2",
        "1 parameter differs \u00b7 only here: S5 \u00b7 only in the reference: S9", "0 Y shown Y1",
        "1000 line 4");
    row("field missing in the document: shown, nothing to take", "S1 X1 Y2", "S1 X1", "0",
        "1 parameter differs", "0 Y shown", "4321 fallback");
    row("scale line and raw lines", "S1 X1\n; b\nN10000\n\n", "; a|S1 X1|N1000", "",
        "no parameters differ \u00b7 scale resolution differs \u00b7 2 other lines differ", "",
        "10000 line 3");
    row("scale line that gives no millimetres", "S1 X1\nN00", "S1 X1", "",
        "no parameters differ \u00b7 scale resolution differs", "", "0 line 2");
    row("scale line not last", "N1000\nS1 X1", "S1 X1", "",
        "no parameters differ \u00b7 1 other line differs", "", "4321 fallback");

    // A reference line cut in the reading lends no value: S2 Q4C<NUL>4B40 is not Q4C.
    row("NUL",
        QByteArray("S2 Q4C\0"
                   "4B40\n",
                   12),
        "S2 Q4C4B40", "0", "1 parameter differs", "0 Q lossy 1", "4321 fallback");
    row("CR line end", "S1 X1\rS5 V2\n", "S1 X2|S5 V2", "0 1",
        "1 parameter differs \u00b7 only here: S5", "0 X lossy 1", "4321 fallback");
    row("control byte", "S5 V1\nS1 X1\x01\n", "S5 V1|S1 X2", "1", "1 parameter differs",
        "1 X lossy 2", "4321 fallback");
    row("loss in another line", "S1 X1\n; \x01\n", "S1 X2|; \x01", "0", "1 parameter differs",
        "0 X shown X1", "4321 fallback");
    row("lines beyond the limit", "S1 X1\n" + Lines(128, ""), "S1 X2", "0", "1 parameter differs",
        "0 X shown X1", "4321 fallback");

    // Which lines of a parameter pair up is a guess where one file holds it more often.
    row("duplicated here", "S5 V1\nS1 X1", "S5 V1|S5 V2|S1 X1", "0 1",
        "no parameters differ \u00b7 duplicated here: S5", "", "4321 fallback");
    row("duplicated in the reference", "S5 V1\nS5 V2\nS1 X1", "S1 X1|S5 V1", "1",
        "no parameters differ \u00b7 duplicated in the reference: S5", "", "4321 fallback");
    row("duplicated alike in both", "S2 Q1\nS2 Q1\nS5 V1\nS5 V2", "S5 V1|S5 V3|S2 Q1|S2 Q1", "1",
        "1 parameter differs \u00b7 duplicated here: S5, S2 \u00b7 duplicated in the reference: "
        "S2, S5",
        "1 V shown V2", "4321 fallback");
    row("duplicated and missing", "S1 X1", "S5 V1|S1 X1|S5 V1", "0 2",
        "no parameters differ \u00b7 duplicated here: S5", "", "4321 fallback");
}

void tst_ReferenceComparison::compare()
{
    QFETCH(QByteArray, reference);
    QFETCH(QStringList, document);
    const QString path = d_dir.filePath(QStringLiteral("reference.oad"));
    QVERIFY(Write_Bytes(path, reference));
    TReferenceComparison comparison(d_table);
    QVERIFY(comparison.Load(path));
    comparison.Compare(document);
    QTEST(Marks(comparison.Get_Differing_Lines()), "marks");
    QTEST(comparison.Get_Summary(), "summary");
    QTEST(Offers(comparison, document.size()), "offers");
    const TReferenceComparison::Resolution resolution = comparison.Get_Reference_Resolution(4321);
    QTEST(QString::number(resolution.value) + (resolution.Is_From_Reference()
                                                   ? QStringLiteral(" line %1").arg(resolution.line)
                                                   : QStringLiteral(" fallback")),
          "resolution");
}

// A reference is read as an opened file is: what it loses is told in the same sentences,
// and one that cannot be read says why and leaves the comparison as it was.
void tst_ReferenceComparison::load_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // written to name, unless it is special
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("summary"); // compared with S1 X7

    const auto row = [](const char *name, const char *file, const QByteArray &bytes,
                        const char *error, const char *summary) {
        QTest::newRow(name) << file << bytes << error << QString::fromUtf8(summary);
    };
    const char *kept = "no parameters differ";
    row("whole", "a.oad", "S1 X7\r\n", "", kept);
    row("NUL", "a.oad", QByteArray("S1 X7\0 Y1\n", 10), "", kept);
    row("CR line ends", "a.oad", "S1 X7\rS2 Q1\rS5 V1\n", "", kept);
    row("control bytes", "a.oad", "S1 X7\n\x1b\x02\n", "",
        "no parameters differ \u00b7 1 other line differs");
    row("more than 128 lines", "a.oad", Lines(130, "S1 X7"), "",
        "no parameters differ \u00b7 duplicated in the reference: S1");
    row("over 16 MiB", "a.oad",
        "S1 X8\n" + QByteArray(static_cast<int>(DownloadFile::Max_Read_Bytes), ' '), "",
        "1 parameter differs");

    const char *before = "1 parameter differs";
    row("missing", "missing.oad", "", "No such file or directory", before);
    row("folder", ".", "", "It is a folder, not a file.", before);
    row("FIFO", "fifo.oad", "", "It is not a regular file but a device, FIFO or socket.", before);
}

void tst_ReferenceComparison::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!bytes.isEmpty())
        QVERIFY(Write_Bytes(path, bytes));
    else if (name == QLatin1String("fifo.oad"))
        QCOMPARE(::mkfifo(qPrintable(path), 0644), 0);
    const QString previous = dir.filePath(QStringLiteral("previous.oad"));
    const QByteArray previous_bytes("S1 X8\0\n", 7);
    QVERIFY(Write_Bytes(previous, previous_bytes));
    TReferenceComparison comparison(d_table);
    QVERIFY(comparison.Load(previous));

    QCOMPARE(comparison.Load(path), error.isEmpty());
    QCOMPARE(comparison.Get_Error(), error);
    QCOMPARE(comparison.Get_Path(), error.isEmpty() ? path : previous);
    // Told in the reader's own sentences, which its tests hold to their wording.
    QCOMPARE(Sentences(comparison.Get_Losses()),
             Sentences(DownloadFile::Read(error.isEmpty() ? bytes : previous_bytes).losses));
    comparison.Compare({QStringLiteral("S1 X7")});
    QTEST(comparison.Get_Summary(), "summary");

    QVERIFY(comparison.Load(previous));
    QCOMPARE(comparison.Get_Error(), QString());
    comparison.Clear();
    QVERIFY(comparison.Get_Losses().isEmpty());
    QCOMPARE(comparison.Get_Reference_Resolution(4321).value, 4321);
}

QTEST_GUILESS_MAIN(tst_ReferenceComparison)
#include "tst_referencecomparison.moc"
