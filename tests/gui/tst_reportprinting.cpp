#include "commissioningreport.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "reportprinting.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The commissioning record as PDF on A4 and Letter, read back with poppler's pdftotext as a
// reader of the file would see it.
class tst_ReportPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pdf_data();
    void pdf();
    void pagesAndFailure();

private:
    QTemporaryDir d_dir;
    QByteArray d_bytes; // the example filled up to 128 lines: a record of many pages
    QString d_html;
};

namespace {

QByteArray Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QByteArray("<" + program.toUtf8() + " failed>");
    return process.readAllStandardOutput();
}

// The text as drawn, without blanks, which a wrapped cell adds, and with ligatures as
// letters (pdftotext gives "ﬁ").
QString Squeezed(const QString &text)
{
    QString squeezed = text.normalized(QString::NormalizationForm_KC);
    squeezed.remove(QRegularExpression(QStringLiteral("\\s")));
    return squeezed;
}

struct Word
{
    QRectF box;
    QString text;
};

// Every word of one page with its box, in points from the page's top left.
QVector<Word> Words(const QString &pdf, int page, QSizeF *size)
{
    const QString xml = QString::fromUtf8(
        Run(QStringLiteral("pdftotext"),
            {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"}));
    static const QRegularExpression page_size(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpressionMatch match = page_size.match(xml);
    *size = QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QVector<Word> words;
    for (auto w = word.globalMatch(xml); w.hasNext();) {
        const QRegularExpressionMatch m = w.next();
        words.append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      m.captured(5)});
    }
    return words;
}

} // namespace

void tst_ReportPrinting::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed (apt-get install poppler-utils)");
    const QByteArray example =
        TestSupport::Read_Bytes(QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad"));
    QList<QByteArray> lines = example.split('\n');
    lines.removeLast(); // after the final line end
    const QByteArray scale = lines.takeLast();
    // Words longer than a column, and paths that break only at their slashes and dashes.
    lines.insert(1, "; " + QByteArray(150, 'A'));
    lines.insert(2, "; " + QByteArray(30, 'B') + '/' + QByteArray(60, 'C') + '-' +
                        QByteArray(60, 'D'));
    for (int i = 0; lines.size() < 127; ++i)
        lines.append(lines.at(3 + i % 26));
    d_bytes = lines.join('\n') + '\n' + scale + '\n';

    CommissioningReport::ReportInput input;
    input.document.path = d_dir.filePath(
        QStringLiteral("fleet/hall-2/a-folder-name-that-goes-on-and-on-for-quite-a-while/"
                       "machine-4711-commissioned-after-the-spindle-was-replaced.oad"));
    input.document.disk_bytes = d_bytes;
    input.document.lines = DownloadFile::Read(d_bytes).lines;
    QCOMPARE(input.document.lines.size(), 128);
    input.resolution = 10000;
    input.resolution_source = CommissioningReport::ResolutionSource::File;
    input.generated = QDateTime(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);
    input.reference = CommissioningReport::ReportFile();
    input.reference->path = d_dir.filePath(QStringLiteral("reference.oad"));
    input.reference->disk_bytes = QByteArray(d_bytes).replace("S2 Q4C4B40", "S2 Q3D0900");
    input.reference->lines = DownloadFile::Read(input.reference->disk_bytes).lines;
    d_html = CommissioningReport::Build_Html(input, TParameterTable());
}

void tst_ReportPrinting::pdf_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSizeF>("points");
    QTest::newRow("A4") << int(QPageSize::A4) << QSizeF(595.276, 841.89);
    QTest::newRow("Letter") << int(QPageSize::Letter) << QSizeF(612, 792);
}

void tst_ReportPrinting::pdf()
{
    QFETCH(int, size);
    QFETCH(QSizeF, points);
    const QString pdf = d_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    QString error;
    QVERIFY2(ReportPrinting::Write_Pdf(d_html, pdf, QPageSize(QPageSize::PageSizeId(size)), &error),
             qPrintable(error));

    // The texts of the record: every help text, the hash, both sides of a difference.
    const QString text =
        Squeezed(QString::fromUtf8(Run(QStringLiteral("pdftotext"), {"-raw", pdf, "-"})));
    for (const QString &line : DownloadFile::Read(d_bytes).lines)
        for (const auto &field : LineSyntax::Read_Parameter_Line(line, TParameterTable()).fields)
            QVERIFY2(text.contains(Squeezed(field.item.help)), qPrintable(field.item.help));
    for (const char *expected :
         {"2026-12-07 09:30:00 (UTC+00:00)",
          "Jog acceleration multiplier (1000 = 100%) 1000 3E8 "
          "0.1000",
          "Probe minimum overtravel limit -100000 FFFE7960 -10.0000",
          "S2 Q Maximum 3D acceleration 5000000 hex 4C4B40 500.0000 mm line 7 4000000 hex 3D0900 "
          "400.0000 mm line 7",
          "Technician: ____", "Date: ____", "Signature: ____"})
        QVERIFY2(text.contains(Squeezed(QLatin1String(expected))), expected);
    QVERIFY(text.contains(QString::fromLatin1(
        QCryptographicHash::hash(d_bytes, QCryptographicHash::Sha256).toHex())));

    // Nothing cut or under the page number: every word within the page, and at the foot of
    // the page only the page number. Every page the parameter table continues on repeats its
    // header row at the top.
    const int pages = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf}))
                          .section(QStringLiteral("Pages:"), 1)
                          .section('\n', 0, 0)
                          .toInt();
    QVERIFY2(pages > 5, qPrintable(QString::number(pages)));
    int continued = 0;
    for (int page = 1; page <= pages; ++page) {
        QSizeF found;
        const QVector<Word> words = Words(pdf, page, &found);
        QVERIFY(qAbs(found.width() - points.width()) < 1 &&
                qAbs(found.height() - points.height()) < 1);
        qreal text_bottom = 0;
        for (const Word &word : words) {
            QVERIFY2(word.box.left() >= 20 && word.box.right() <= found.width() - 20,
                     qPrintable(word.text));
            if (!QStringList({"Page", QString::number(page), "of", QString::number(pages)})
                     .contains(word.text))
                text_bottom = qMax(text_bottom, word.box.bottom());
        }
        const Word &last = words.last(); // the page number
        QCOMPARE(last.text, QString::number(pages));
        QVERIFY2(text_bottom < last.box.top(), qPrintable(QStringLiteral("page %1").arg(page)));
        // The first row of text on the page, left to right.
        qreal first = found.height();
        for (const Word &word : words)
            first = qMin(first, word.box.top());
        QMap<qreal, QString> row;
        for (const Word &word : words)
            if (word.box.top() < first + 2)
                row.insert(word.box.left(), word.text);
        if (page > 1 && row.values().join(' ') ==
                            QLatin1String("Line Parameter Field Help text Integer Hex mm"))
            ++continued;
    }
    // 128 lines of about three fields each take several pages.
    QVERIFY2(continued >= 3, qPrintable(QString::number(continued)));
}

// The pages a print dialog asks for, and a PDF that cannot be written.
void tst_ReportPrinting::pagesAndFailure()
{
    const QString pdf = d_dir.filePath(QStringLiteral("pages.pdf"));
    {
        QPdfWriter writer(pdf);
        ReportPrinting::Print(d_html, &writer, 2, 3);
    }
    QVERIFY(QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf}))
                .contains(QRegularExpression("Pages: +2\n")));
    const QString first =
        QString::fromUtf8(Run(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", pdf, "-"}));
    QVERIFY2(first.contains(QRegularExpression("Page 2 of \\d+")), qPrintable(first));

    QString error;
    QVERIFY(!ReportPrinting::Write_Pdf(d_html, d_dir.filePath(QStringLiteral("no/such/r.pdf")),
                                       QPageSize(QPageSize::A4), &error));
    QVERIFY2(error.contains(QLatin1String("No such file or directory")), qPrintable(error));
}

QTEST_MAIN(tst_ReportPrinting)
#include "tst_reportprinting.moc"
