// Files no controller would write. Each must load and paint without harm, give the
// simplified Latin-1 lines, and save exactly the bytes those lines stand for. What the
// lines cannot hold is announced, and saving over such a file asks first.
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "downloadfile.h"
#include "filelinewidget.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

namespace {

QByteArray Byte_Range(int first, int last)
{
    QByteArray bytes;
    const int step = first <= last ? 1 : -1;
    for (int b = first; b != last + step; b += step)
        bytes += static_cast<char>(b);
    return bytes;
}

} // namespace

class tst_HostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { TDialogSeam::Clear(); }
    void loadAndSave_data();
    void loadAndSave();
    void inTheWindow_data();
    void inTheWindow();
    void lossyFiles_data();
    void lossyFiles();

private:
    QString Write_File(const QByteArray &bytes) const
    {
        const QString path = d_dir.filePath(QStringLiteral("hostile.oad"));
        return Write_Bytes(path, bytes) ? path : QString();
    }

    QTemporaryDir d_dir;
};

void tst_HostileFiles::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<int>("resolution"); // -1: no scale resolution line

    const QByteArray unit("S1X2 \t ");
    const int units = 10 * 1024 * 1024 / unit.size();
    QTest::newRow("10 MB line, whitespace runs folded")
        << unit.repeated(units) + "\n"
        << QByteArray("S1X2 ").repeated(units).chopped(1) + "\r\n"
        << -1;

    QByteArray many;
    QByteArray first_128;
    for (int i = 0; i < 100000; ++i) {
        const QByteArray line = "S1 X" + QByteArray::number(i, 16).toUpper();
        many += line + "\n";
        if (i < 128)
            first_128 += line + "\r\n";
    }
    QTest::newRow("100000 lines, only 128 kept") << many + "N1000\n" << first_128 << -1;

    QTest::newRow("NUL cuts the line")
        << QByteArray("S1 X1\0 Y2\nAB\0\0CD\n\0N1000\nN2000\0 S1\n", 33)
        << QByteArray("S1 X1\r\nAB\r\n\r\nN2000\r\n") << 2000;

    // 0x0A ends the first line, which the NUL at its start empties. Of the rest, VT, FF,
    // CR, space, 0x85 and 0xA0 are whitespace; every other byte stays as it is.
    QTest::newRow("every byte value, rising")
        << Byte_Range(0x00, 0xFF)
        << "\r\n" + Byte_Range(0x0E, 0x1F) + " " + Byte_Range(0x21, 0x84) + " " +
               Byte_Range(0x86, 0x9F) + " " + Byte_Range(0xA1, 0xFF) + "\r\n"
        << -1;
    QTest::newRow("every byte value, falling")
        << Byte_Range(0xFF, 0x00)
        << Byte_Range(0xFF, 0xA1) + " " + Byte_Range(0x9F, 0x86) + " " + Byte_Range(0x84, 0x21) +
               " " + Byte_Range(0x1F, 0x0E) + "\r\n" + Byte_Range(0x08, 0x01) + "\r\n"
        << -1;
    QTest::newRow("only N00") << QByteArray("N00") << QByteArray("N00\r\n") << 0;
}

void tst_HostileFiles::loadAndSave()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    QFETCH(int, resolution);

    TFileLineWidget view;
    view.Set_Scale_Resolution(4321);
    QVERIFY(view.Load_File(Write_File(bytes)));
    // A resolution of 0 is none: the last valid one stays the one to store.
    QCOMPARE(view.Get_Scale_Resolution(), resolution > 0 ? resolution : 4321);
    const QStringList lines = QString::fromLatin1(saved).split(QStringLiteral("\r\n"));
    for (int i = 0; i + 1 < lines.size(); ++i)
        QCOMPARE(view.Get_Line(i), lines[i]);
    view.resize(400, 300);
    QVERIFY(!view.grab().isNull());

    // Saved, and what was saved reads back as the same document.
    const QString out = d_dir.filePath(QStringLiteral("saved.oad"));
    for (int pass = 0; pass < 2; ++pass) {
        QVERIFY(view.Save_File(out));
        QCOMPARE(Read_Bytes(out), saved);
        QVERIFY(view.Load_File(out));
    }
}

void tst_HostileFiles::inTheWindow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("edited"); // the view to append a character to
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("shown"); // the first views after coming back to the line

    // A 1 MB line without an S token is edited as plain text.
    const QString huge = QStringLiteral("abcdefgh").repeated(128 * 1024);
    QTest::newRow("huge plain-text line keeps all of it")
        << (huge + "\nS2 Q1\n").toLatin1() << 0 << huge + "5" << QStringList{huge + "5"};
}

void tst_HostileFiles::inTheWindow()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, edited);
    QFETCH(QStringList, shown);

    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(Write_File(bytes));
    const QList<QLineEdit *> views = Shown_Views(*window.findChild<TDataEditorWidget *>());
    QVERIFY(views.size() > edited);
    views[edited]->end(false);
    QTest::keyClick(views[edited], Qt::Key_5);
    window.Key_Pressed(Qt::Key_Down);
    QTEST(window.findChild<TFileLineWidget *>()->Get_Line(0), "line");
    window.Key_Pressed(Qt::Key_Up);
    for (int i = 0; i < shown.size(); ++i)
        QCOMPARE(views[i]->text(), shown[i]);
    window.repaint();
}

void tst_HostileFiles::lossyFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("way"); // of opening

    QTest::newRow("200 lines, command line")
        << QByteArray("S1 X1\n").repeated(200) << "command line";
    QTest::newRow("CR line ends, drop") << QByteArray("S1 X1\rS2 Q2\r\nS3 X1\r\n") << "drop";
    // Each loss the reader describes, in one message.
    QTest::newRow("binary, dialog") << QByteArray("\x7F"
                                                  "ELF\x02\x01\n\x03<\n\0\x10\n",
                                                  13)
                                    << "dialog";
    // A reference is held to the same rules, and told in the same sentences.
    QTest::newRow("NUL and control bytes, reference from the toolbar")
        << QByteArray("S1 X1\0 Y2\nS2 Q\x03\n", 16) << "reference";
    QTest::newRow("CR line ends and 200 lines, --compare")
        << QByteArray("S1 X1\rS2 Q2\r\n") + QByteArray("S3 X1\n").repeated(200) << "--compare";
}

void tst_HostileFiles::lossyFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, way);
    const QString path = Write_File(bytes);
    QStringList sentences;
    for (const DownloadFile::Loss &loss : DownloadFile::Summarise(DownloadFile::Read(bytes).losses))
        sentences << DownloadFile::Describe(loss);
    QVERIFY(!sentences.isEmpty());

    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    Open_By(window, way, path, QStringLiteral("/"));
    const auto explains = [&] {
        const QString text = Only_Child<QMessageBox>(window)->informativeText();
        bool all = text.contains(path);
        for (const QString &sentence : sentences)
            all = all && text.contains(sentence);
        return all ? QString() : text;
    };
    if (way == QLatin1String("reference") || way == QLatin1String("--compare")) {
        // Nothing of it is saved, so its closing says what its losses mean for the comparison.
        QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Reference file cannot be kept whole"});
        QCOMPARE(explains(), QString());
        return;
    }
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Download file cannot be kept whole"});
    QCOMPARE(explains(), QString());

    // Refused, the question leaves every byte; agreed, the file gets what the window holds,
    // and then the file and the window agree, so the next save asks nothing.
    const QByteArray kept = DownloadFile::Encode(DownloadFile::Read(bytes).lines);
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        TDialogSeam::Clear();
        TDialogSeam::Set_Next_File_Name(path);
        TDialogSeam::Set_Next_Answer(answer);
        window.Write_File();
        QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Save over the original file"});
        QCOMPARE(explains(), QString());
        QCOMPARE(Read_Bytes(path), answer == QMessageBox::No ? bytes : kept);
    }
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_File_Name(path);
    TDialogSeam::Set_Next_Answer(QMessageBox::No); // answers a question that must not come
    window.Write_File();
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList());
}

QTEST_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
