// Files no controller would write: huge lines, huge line counts, NUL and control bytes,
// bare CRs, a zero scale resolution, overlong fields. Each must load without harm, give
// the simplified Latin-1 lines, and save exactly the bytes those lines stand for.
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "filelinewidget.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Read_Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray Byte_Range(int first, int last)
{
    QByteArray bytes;
    const int step = first <= last ? 1 : -1;
    for (int b = first; b != last + step; b += step)
        bytes += static_cast<char>(b);
    return bytes;
}

// The three views of each panel on show, in creation order: integer, hexadecimal, mm.
struct Panel_Views
{
    QLineEdit *integer = nullptr;
    QLineEdit *hex = nullptr;
    QLineEdit *mm = nullptr;
};

QVector<Panel_Views> Visible_Panels(TDownloadEditor &window)
{
    QVector<Panel_Views> panels;
    const auto items = window.findChildren<TDataItemWidget *>();
    for (TDataItemWidget *item : items) {
        const auto edits = item->findChildren<QLineEdit *>();
        if (item->isVisibleTo(&window) && edits.size() == 3)
            panels.append({edits[0], edits[1], edits[2]});
    }
    return panels;
}

} // namespace

class tst_HostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadAndSave_data();
    void loadAndSave();
    void zeroResolutionInTheWindow();
    void overlongFieldInTheWindow();
    void hugeLineInTheWindow();

private:
    QString Write_File(const QString &name, const QByteArray &bytes) const;

    QTemporaryDir d_dir;
};

void tst_HostileFiles::init()
{
    TDialogSeam::Clear();
}

QString tst_HostileFiles::Write_File(const QString &name, const QByteArray &bytes) const
{
    const QString path = d_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void tst_HostileFiles::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<int>("resolution"); // -1: no scale signal

    // 10 MB in one line, with whitespace runs to fold.
    const QByteArray unit("S1X2 \t ");
    const int units = 10 * 1024 * 1024 / unit.size();
    QTest::newRow("10 MB line") << unit.repeated(units) + "\n"
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

    QTest::newRow("CR without LF is no line end")
        << QByteArray("S1 X1\rS2 Q2\r\rN1000\r") << QByteArray("S1 X1 S2 Q2 N1000\r\n") << -1;
    QTest::newRow("CR before CR LF")
        << QByteArray("S1 X1\r\r\nN1000\r\r\n") << QByteArray("S1 X1\r\nN1000\r\n") << 1000;

    QTest::newRow("only N00") << QByteArray("N00") << QByteArray("N00\r\n") << 0;

    const QByteArray digits = QByteArray("0123456789ABCDEF").repeated(4);
    QTest::newRow("field of 64 digits") << "S1 X" + digits + " Y1\n"
                                        << "S1 X" + digits + " Y1\r\n"
                                        << -1;
}

void tst_HostileFiles::loadAndSave()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    QFETCH(int, resolution);

    TFileLineWidget view;
    view.Set_Scale_Resolution(4321);
    QSignalSpy scale(&view, &TFileLineWidget::Scale_Resolution_Changed);
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);
    QVERIFY(view.Load_File(Write_File(QStringLiteral("hostile.oad"), bytes)));

    QCOMPARE(scale.count(), resolution < 0 ? 0 : 1);
    if (resolution >= 0)
        QCOMPARE(scale.first().first().toInt(), resolution);
    QCOMPARE(view.Get_Scale_Resolution(), resolution < 0 ? 4321 : resolution);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toInt(), 0);
    QCOMPARE(view.Get_Line(0), QString::fromLatin1(saved.left(saved.indexOf("\r\n"))));

    const QString out = d_dir.filePath(QStringLiteral("saved.oad"));
    QVERIFY(view.Save_File(out));
    QCOMPARE(Read_Bytes(out), saved);
    // What was saved reads back as the same document.
    TFileLineWidget again;
    QVERIFY(again.Load_File(out));
    QVERIFY(again.Save_File(out));
    QCOMPARE(Read_Bytes(out), saved);
}

void tst_HostileFiles::zeroResolutionInTheWindow()
{
    // N00 is a scale resolution of 0: no length can be shown or typed in millimetres.
    const QByteArray bytes("S1 X3E8 Y0 Z0 W0\r\nN00\r\n");
    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(Write_File(QStringLiteral("n00.oad"), bytes));

    auto *view = window.findChild<TFileLineWidget *>();
    QVERIFY(view);
    QCOMPARE(view->findChild<QLineEdit *>()->text(), QStringLiteral("0"));
    QVector<Panel_Views> panels = Visible_Panels(window);
    QCOMPARE(panels.size(), 4);
    QCOMPARE(panels[0].integer->text(), QStringLiteral("1000"));
    QCOMPARE(panels[0].hex->text(), QStringLiteral("3E8"));
    for (const Panel_Views &panel : panels)
        QCOMPARE(panel.mm->text(), QString());

    // Typing a length has nothing to convert with; the count stays, and the other views
    // still work and commit.
    QTest::keyClicks(panels[0].mm, QStringLiteral("2.5"));
    QCOMPARE(panels[0].integer->text(), QStringLiteral("1000"));
    panels[1].integer->selectAll();
    QTest::keyClicks(panels[1].integer, QStringLiteral("255"));
    QCOMPARE(panels[1].hex->text(), QStringLiteral("FF"));
    QCOMPARE(panels[1].mm->text(), QString());
    window.Key_Pressed(Qt::Key_Down);
    QCOMPARE(view->Get_Line(0), QStringLiteral("S1 X3E8 YFF Z0 W0"));

    const QString out = d_dir.filePath(QStringLiteral("n00_saved.oad"));
    TDialogSeam::Set_Next_File_Name(out);
    window.Write_File();
    QCOMPARE(Read_Bytes(out), QByteArray("S1 X3E8 YFF Z0 W0\r\nN00\r\n"));
    QVERIFY(TDialogSeam::Shown_Messages().isEmpty());
}

void tst_HostileFiles::overlongFieldInTheWindow()
{
    // Only the first eight digits are the field; the rest of the 64 is ordinary text.
    const QByteArray digits = QByteArray("0123456789ABCDEF").repeated(4);
    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(
        Write_File(QStringLiteral("long_field.oad"), "S1 X" + digits + " Y1\r\nS2 Q1\r\n"));
    auto *view = window.findChild<TFileLineWidget *>();
    QVector<Panel_Views> panels = Visible_Panels(window);
    QCOMPARE(panels.size(), 4);
    QCOMPARE(panels[0].hex->text(), QStringLiteral("1234567"));
    QCOMPARE(panels[0].integer->text(), QStringLiteral("19088743"));

    // Editing another field of the line must not change this one.
    panels[1].hex->selectAll();
    QTest::keyClicks(panels[1].hex, QStringLiteral("2"));
    window.Key_Pressed(Qt::Key_Down);
    const QString line = view->Get_Line(0);
    QVERIFY2(line.endsWith(QStringLiteral(" Y2")), qPrintable(line));
    window.Key_Pressed(Qt::Key_Up);
    panels = Visible_Panels(window);
    QCOMPARE(panels[0].hex->text(), QStringLiteral("1234567"));
}

void tst_HostileFiles::hugeLineInTheWindow()
{
    // A 1 MB line without an S token is edited as plain text; one typed character must
    // not cost the rest of the line.
    const QByteArray huge = QByteArray("abcdefgh").repeated(128 * 1024);
    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(Write_File(QStringLiteral("huge.oad"), huge + "\nS2 Q1\n"));
    auto *view = window.findChild<TFileLineWidget *>();
    auto *editor = window.findChild<TDataEditorWidget *>();
    QVERIFY(editor->Is_Simple_Mode());
    QLineEdit *simple = nullptr;
    for (QLineEdit *edit : editor->findChildren<QLineEdit *>())
        if (edit->isVisibleTo(&window))
            simple = edit;
    QVERIFY(simple);
    simple->setFocus();
    simple->end(false);
    QTest::keyClick(simple, Qt::Key_Z);
    window.Key_Pressed(Qt::Key_Down);
    QCOMPARE(view->Get_Line(0).size(), huge.size() + 1);
    QVERIFY(view->Get_Line(0).startsWith(QString::fromLatin1(huge.left(32767))));
    window.repaint();
}

QTEST_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
