#include "downloaddocument.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::Read_Bytes;
using TestSupport::Write_Bytes;

using Risk = TDownloadDocument::Overwrite_Risk;
Q_DECLARE_METATYPE(TDownloadDocument::Overwrite_Risk)

class tst_DownloadDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadAndEdit_data();
    void loadAndEdit();
    void failedLoadChangesNothing();
    void save_data();
    void save();
    void overwriteRisk_data();
    void overwriteRisk();

private:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = d_dir.filePath(name);
        return Write_Bytes(path, bytes) ? path : QString();
    }

    // The indices of the lines that differ from the lines as last loaded or saved.
    static QString Unsaved(const TDownloadDocument &document)
    {
        QStringList unsaved;
        for (int i = 0; i < document.Get_Line_Count(); ++i)
            if (!document.Is_Line_Saved(i))
                unsaved << QString::number(i);
        return unsaved.join(QLatin1Char(' '));
    }

    QTemporaryDir d_dir;
};

void tst_DownloadDocument::initTestCase()
{
    QVERIFY(d_dir.isValid());
}

void tst_DownloadDocument::loadAndEdit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("edit"); // INDEX=TEXT after the load, or nothing
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scale_line");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("unsaved"); // see Unsaved
    QTest::addColumn<int>("losses");
    QTest::addColumn<bool>("utf8"); // looks like UTF-8

    const auto row = [](const char *name, const QByteArray &bytes, const char *edit,
                        const QStringList &lines, int scale_line, int resolution,
                        const char *unsaved, int losses = 0, bool utf8 = false) {
        QTest::newRow(name) << bytes << edit << lines << scale_line << resolution << unsaved
                            << losses << utf8;
    };
    const QByteArray file("S1 X1\nN2000\n");
    row("scale line last", file, "", {"S1 X1", "N2000"}, 1, 2000, "");
    row("blank lines after the scale line", file + "\n \n", "", {"S1 X1", "N2000", "", ""}, 1, 2000,
        "");
    row("an earlier N line is none", "N500\nS1 X1\n", "", {"N500", "S1 X1"}, -1, -1, "");
    row("no lines", QByteArray(), "", {}, -1, -1, "");
    row("scale line edited: in force", file, "1=N300", {"S1 X1", "N300"}, 1, 300, "1");
    row("scale line edited away", file, "1=; N300", {"S1 X1", "; N300"}, -1, -1, "1");
    row("a line becomes the scale line", "S1 X1\n; end\n", "1=n0500", {"S1 X1", "n0500"}, 1, 500,
        "1");
    row("set to its loaded text: saved", file, "0=S1 X1", {"S1 X1", "N2000"}, 1, 2000, "");
    row("UTF-8 letters", "; L\xC3\xA4nge\n", "", {QString::fromLatin1("; L\xC3\xA4nge")}, -1, -1,
        "", 0, true);
    row("lossy: NUL and control byte", QByteArray("S1 X1\0junk\nN20\x01\n", 16), "",
        {"S1 X1", "N20\x01"}, -1, -1, "", 2);
}

void tst_DownloadDocument::loadAndEdit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, edit);
    const QString path = Write(QStringLiteral("a.oad"), bytes);
    TDownloadDocument document;
    QStringList events;
    connect(&document, &TDownloadDocument::About_To_Load, this, [&] { events << "about"; });
    connect(&document, &TDownloadDocument::Loaded, this,
            [&] { events << QString::number(document.Get_Line_Count()); });
    connect(&document, &TDownloadDocument::Line_Changed, this,
            [&](int index) { events << QStringLiteral("line %1").arg(index); });

    QString error;
    QVERIFY(document.Load_File(path, &error));
    QCOMPARE(error, QString());
    QCOMPARE(document.Get_Stamp().path, QFileInfo(path).absoluteFilePath());
    QStringList expected_events{"about", QString::number(document.Get_Line_Count())};
    if (!edit.isEmpty()) {
        const int index = edit.section(QLatin1Char('='), 0, 0).toInt();
        document.Set_Line(index, edit.section(QLatin1Char('='), 1));
        expected_events << QStringLiteral("line %1").arg(index);
    }
    QCOMPARE(events, expected_events);
    QTEST(document.Get_Lines(), "lines");
    QTEST(document.Scale_Line_Index(), "scale_line");
    QTEST(document.Scale_Resolution(), "resolution");
    QTEST(Unsaved(document), "unsaved");
    QTEST(int(document.Get_Losses().size()), "losses");
    QTEST(document.Looks_Like_Utf8(), "utf8");
}

void tst_DownloadDocument::failedLoadChangesNothing()
{
    TDownloadDocument document;
    QVERIFY(document.Load_File(Write(QStringLiteral("a.oad"), QByteArray("S1 X1\0\nN2000\n", 13))));
    document.Set_Line(0, QStringLiteral("S1 X2"));
    QSignalSpy about(&document, &TDownloadDocument::About_To_Load);
    QSignalSpy loaded(&document, &TDownloadDocument::Loaded);
    for (const QString &path : {d_dir.filePath(QStringLiteral("missing.oad")), d_dir.path()}) {
        QString error;
        QVERIFY(!document.Load_File(path, &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(about.count() + loaded.count(), 0);
    QCOMPARE(document.Get_Lines(), (QStringList{"S1 X2", "N2000"}));
    QCOMPARE(Unsaved(document), QStringLiteral("0"));
    QCOMPARE(document.Get_Losses().size(), 1);
    QCOMPARE(document.Get_Stamp().path, d_dir.filePath(QStringLiteral("a.oad")));
}

void tst_DownloadDocument::save_data()
{
    QTest::addColumn<QString>("target"); // relative to the temporary directory
    QTest::addColumn<bool>("saved");

    QTest::newRow("over the loaded file") << "a.oad" << true;
    QTest::newRow("under another name") << "b.oad" << true;
    QTest::newRow("into a missing folder: nothing changes") << "missing/b.oad" << false;
}

void tst_DownloadDocument::save()
{
    QFETCH(QString, target);
    QFETCH(bool, saved);
    const QString source = Write(QStringLiteral("a.oad"), QByteArray("S1 X1\0\nN2000\n", 13));
    const QString path = d_dir.filePath(target);
    TDownloadDocument document;
    QVERIFY(document.Load_File(source));
    document.Set_Line(0, QStringLiteral("S1 X2"));
    QSignalSpy saved_spy(&document, &TDownloadDocument::Saved);

    QString error;
    QCOMPARE(document.Save_File(path, &error), saved);
    QCOMPARE(error.isEmpty(), saved);
    QCOMPARE(saved_spy.count(), saved ? 1 : 0);
    // Saved, the file holds all of the document, and the document is its file's.
    QCOMPARE(Read_Bytes(path), saved ? QByteArray("S1 X2\r\nN2000\r\n") : "<unreadable>");
    QCOMPARE(Unsaved(document), saved ? QString() : QStringLiteral("0"));
    QCOMPARE(document.Get_Losses().isEmpty(), saved);
    QCOMPARE(document.Get_Stamp().path, QFileInfo(saved ? path : source).absoluteFilePath());
    QCOMPARE(document.Risk_Of_Saving_To(source), saved ? Risk::None : Risk::Unkept_Content);
    QCOMPARE(document.Risk_Of_Saving_To(path), Risk::None);
}

void tst_DownloadDocument::overwriteRisk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("meanwhile"); // what happens to the file after the load
    QTest::addColumn<bool>("same_name");    // else the risk of another file is asked
    QTest::addColumn<Risk>("risk");

    const QByteArray whole("S1 X1\nN2000\n");
    const QByteArray lossy("S1 X1\0\nN2000\n", 13);
    QTest::newRow("kept whole") << whole << "" << true << Risk::None;
    QTest::newRow("changed on disk") << whole << "changed" << true << Risk::Changed_On_Disk;
    QTest::newRow("lossy") << lossy << "" << true << Risk::Unkept_Content;
    QTest::newRow("lossy and changed: the change first")
        << lossy << "changed" << true << Risk::Changed_On_Disk;
    QTest::newRow("lossy, another file") << lossy << "" << false << Risk::None;
    QTest::newRow("lossy, file gone") << lossy << "removed" << true << Risk::None;
}

void tst_DownloadDocument::overwriteRisk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, meanwhile);
    QFETCH(bool, same_name);
    const QString path = Write(QStringLiteral("a.oad"), bytes);
    const QString other = Write(QStringLiteral("b.oad"), bytes);
    TDownloadDocument document;
    QVERIFY(document.Load_File(path));
    if (meanwhile == QLatin1String("changed"))
        QVERIFY(Write_Bytes(path, bytes + "S2 Q1\n"));
    else if (meanwhile == QLatin1String("removed"))
        QVERIFY(QFile::remove(path));
    const QString target = same_name ? path : other;
    QTEST(document.Risk_Of_Saving_To(target), "risk");
    // A save does not overwrite a change on disk until the document accepts it.
    const bool changed = meanwhile == QLatin1String("changed");
    QString error;
    QCOMPARE(document.Save_File(target, &error), !changed);
    QVERIFY2(!changed || error.contains(QLatin1String("changed it while")), qPrintable(error));
    document.Accept_Disk_Version();
    QVERIFY(document.Save_File(target));
    QCOMPARE(Read_Bytes(target), DownloadFile::Encode(document.Get_Lines()));
}

QTEST_GUILESS_MAIN(tst_DownloadDocument)
#include "tst_downloaddocument.moc"
