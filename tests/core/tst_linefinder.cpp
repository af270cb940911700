#include "downloadfile.h"
#include "linefinder.h"
#include "parametertable.h"

#include <QtTest>

class tst_LineFinder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void find_data();
    void find();
    void next_data();
    void next();

private:
    QStringList d_example; // the bundled example, as the editor stores it
};

namespace {

// "3 23V 25": the hits as 0-based line indices, each with the letter of its field if any.
QString Hits_Text(const LineFinder::Result &result)
{
    QStringList hits;
    for (const LineFinder::Hit &hit : result.hits) {
        QString text = QString::number(hit.line);
        if (hit.field >= 0)
            text += hit.letter;
        hits += text;
    }
    return hits.join(QLatin1Char(' '));
}

} // namespace

void tst_LineFinder::initTestCase()
{
    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad"),
                                    &content));
    d_example = content.lines;
    QCOMPARE(d_example.size(), 30);
}

// Against the example: line 0 and 1 are comments, 2 is blank, 3 is S1 ... 20 is S1B,
// 25 is S30 (not described), 29 is N10000.
void tst_LineFinder::find_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("hits");
    QTest::addColumn<bool>("names_field");
    QTest::addColumn<QStringList>("extra"); // lines after the example's: 30, 31 ...

    const auto row = [](const char *name, const QString &query, const char *hits,
                        const QStringList &extra = {}) {
        QTest::newRow(name) << query << QString(hits) << false << extra;
    };
    const auto field = [](const char *name, const QString &query, const char *hits) {
        QTest::newRow(name) << query << QString(hits) << true << QStringList();
    };
    row("parameter by token", "S1B", "20");
    row("parameter by number, and a help word", "1B", "20 26Y"); // Flexible parameter 1B
    row("parameter in lower case", "s1b", "20");
    row("parameter not described", "S30", "25");
    field("field", "S3.U", "5U");
    field("field in lower case without S", "3.u", "5U");
    field("field the parameter lacks", "S1.U", "");
    field("field of a parameter not in the file", "SC.X", "");
    row("help words", "software limit", "12X 13X");
    row("help words in another order and case", "LIMIT Software", "12X 13X");
    row("help words name one field", "y axis positive software", "12Y");
    row("help word", "acceleration", "4Q 20Q");
    row("help word begun", "accel", "4Q 20Q");
    row("help word not begun", "celeration", "");
    row("help word in the second line of a help text", "probe type", "28Y");
    row("help word after punctuation", "disable]", "22X");
    row("integer value", "5000000", "4Q");
    row("hexadecimal value", "4C4B40", "4Q");
    row("hexadecimal value with 0x and lower case", "0x4c4b40", "4Q");
    row("negative value", "-10000", "13X");
    // 10000 is 2710 in hexadecimal; N10000 holds the text.
    row("value and raw text", "10000", "15Q 18Q 19X 22X 29");
    row("number, values, help words and raw text", "1", "0 3 20Q 23V 25 26X 27X 28X 29");
    row("raw text", "Halle", "1");
    row("raw text words in any order, Latin-1", QStringLiteral("m\u00FCller operator"), "1");
    row("raw text of a parameter not described", "X1F4", "25");
    row("text of a parameter line", "X2DC6C0", "3");
    row("comment on a parameter line, where the grammar reads a field", "wait", "30",
        {"S1 X1 Y2 Z3 ;WAIT"});
    row("a number does not find the text of parameter lines", "C6C0", "");
    row("blank query", "  ", "");
    row("nothing found", "spindle", "");
}

void tst_LineFinder::find()
{
    QFETCH(QString, query);
    QFETCH(QStringList, extra);
    const LineFinder::Result result = LineFinder::Find(query, d_example + extra, TParameterTable());
    QTEST(Hits_Text(result), "hits");
    QTEST(result.names_field, "names_field");
}

// Enter and F3 from the active line over the hits of "software limit": lines 12 and 13.
void tst_LineFinder::next_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<int>("position"); // of the active line among the hits: "1 of 2"

    const auto row = [](const char *name, const char *query, int active, bool forward, int index,
                        bool wrapped, int position) {
        QTest::newRow(name) << QString(query) << active << forward << index << wrapped << position;
    };
    row("forward to the first", "software limit", 0, true, 0, false, -1);
    row("forward from a hit", "software limit", 12, true, 1, false, 0);
    row("forward past the last wraps", "software limit", 13, true, 0, true, 1);
    row("forward after the last wraps", "software limit", 29, true, 0, true, -1);
    row("backward from a hit", "software limit", 13, false, 0, false, 1);
    row("backward past the first wraps", "software limit", 12, false, 1, true, 0);
    row("backward between", "software limit", 20, false, 1, false, -1);
    row("one hit, from itself", "S1B", 20, true, 0, true, 0);
    row("no hits", "spindle", 5, true, -1, false, -1);
}

void tst_LineFinder::next()
{
    QFETCH(QString, query);
    QFETCH(int, active);
    QFETCH(bool, forward);
    const LineFinder::Result result = LineFinder::Find(query, d_example, TParameterTable());
    const LineFinder::Step step = LineFinder::Next(result, active, forward);
    QTEST(step.index, "index");
    QTEST(step.wrapped, "wrapped");
    QTEST(result.Index_Of_Line(active), "position");
}

QTEST_GUILESS_MAIN(tst_LineFinder)
#include "tst_linefinder.moc"
