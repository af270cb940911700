#include "filelinewidget.h"
#include "testconfig.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {

// The view's parts, found the way the program's own key filter would: by type and position.
struct Parts
{
    QToolButton *up = nullptr;
    QToolButton *down = nullptr;
    QLineEdit *edit = nullptr;
    QWidget *canvas = nullptr;
};

Parts Find_Parts(TFileLineWidget &view)
{
    Parts parts;
    QList<QToolButton *> buttons = view.findChildren<QToolButton *>();
    if (buttons.size() == 2) {
        // The up arrow is the left one once laid out; creation order otherwise.
        if (buttons[1]->x() < buttons[0]->x())
            std::swap(buttons[0], buttons[1]);
        parts.up = buttons[0];
        parts.down = buttons[1];
    }
    parts.edit = view.findChild<QLineEdit *>();
    const auto children = view.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (!qobject_cast<QToolButton *>(child) && !qobject_cast<QLineEdit *>(child) &&
            !qobject_cast<QLabel *>(child))
            parts.canvas = child;
    }
    return parts;
}

// Distinct colours per group, so a pixel tells which group painted it.
const QColor Active_Highlight(200, 30, 30);
const QColor Disabled_Highlight(30, 200, 30);
const QColor Active_Shadow(10, 10, 250);
const QColor Disabled_Shadow(250, 200, 10);
const QColor Active_Dark(120, 0, 120);
const QColor Disabled_Dark(0, 120, 120);

QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// The top row of the highlighted band, or -1 without one. The column near the right edge
// is clear of the short test lines' text.
int Band_Top(const QImage &image, const QColor &highlight)
{
    const int x = image.width() - 4;
    for (int y = 0; y < image.height(); ++y) {
        if (Pixel(image, x, y) == highlight)
            return y - 1; // the band's outline lies just above its fill
    }
    return -1;
}

} // namespace

class tst_FileLineWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void construction();
    void visibleWindow_data();
    void visibleWindow();
    void buttonWalk();
    void clicks();
    void scaleFieldTyping_data();
    void scaleFieldTyping();
    void scaleResolutionAccess_data();
    void scaleResolutionAccess();
    void roundTrip_data();
    void roundTrip();
    void bundledExample();
    void failedAndEmptyLoad();
    void failedSave();
    void reentrantReceivers();
    void paintingColours();

private:
    QString Write_File(const QString &name, const QByteArray &bytes) const;
    QByteArray Read_Bytes(const QString &path) const;
    void Load_Lines(TFileLineWidget &view, int count) const;
    void Size_Canvas(TFileLineWidget &view, const Parts &parts, int height) const;

    QTemporaryDir d_dir;
    int d_row_height = 0;
};

QString tst_FileLineWidget::Write_File(const QString &name, const QByteArray &bytes) const
{
    const QString path = d_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray tst_FileLineWidget::Read_Bytes(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void tst_FileLineWidget::Load_Lines(TFileLineWidget &view, int count) const
{
    QByteArray bytes;
    for (int k = 0; k < count; ++k)
        bytes += "S1 X" + QByteArray::number(k) + "\n";
    QVERIFY(view.Load_File(Write_File(QStringLiteral("lines.oad"), bytes)));
}

void tst_FileLineWidget::Size_Canvas(TFileLineWidget &view, const Parts &parts, int height) const
{
    const int extra = view.height() - parts.canvas->height();
    view.resize(300, extra + height);
    QTRY_COMPARE(parts.canvas->height(), height);
}

void tst_FileLineWidget::initTestCase()
{
    QVERIFY(d_dir.isValid());
    // Large rows, so that five of them still exceed the canvas's minimum height.
    QFont font = QApplication::font();
    font.setPixelSize(24);
    QApplication::setFont(font);

    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, Active_Highlight);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, Disabled_Highlight);
    palette.setColor(QPalette::Active, QPalette::Shadow, Active_Shadow);
    palette.setColor(QPalette::Disabled, QPalette::Shadow, Disabled_Shadow);
    palette.setColor(QPalette::Active, QPalette::Dark, Active_Dark);
    palette.setColor(QPalette::Disabled, QPalette::Dark, Disabled_Dark);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Active_Highlight);
    QApplication::setPalette(palette);

    // Measure a row: the band of line 0 is filled from its second pixel row down to the
    // row before the next line's top, where its outline closes.
    TFileLineWidget view;
    Load_Lines(view, 3);
    const QImage image = Find_Parts(view).canvas->grab().toImage();
    QCOMPARE(Band_Top(image, Active_Highlight), 0);
    int y = 1;
    while (y < image.height() && Pixel(image, image.width() - 4, y) == Active_Highlight)
        ++y;
    QCOMPARE(Pixel(image, image.width() - 4, y), Active_Dark);
    d_row_height = y;
    QVERIFY(d_row_height >= 20);
}

void tst_FileLineWidget::construction()
{
    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    QVERIFY(parts.up && parts.down && parts.edit && parts.canvas);
    QCOMPARE(parts.edit->text(), QStringLiteral("1000"));
    QVERIFY(!parts.up->isEnabled());
    QVERIFY(!parts.down->isEnabled());
    QVERIFY(parts.up->autoRepeat() && parts.down->autoRepeat());
    QCOMPARE(parts.up->iconSize(), QSize(32, 20));
    QCOMPARE(parts.down->maximumSize(), QSize(34, 22));
    QVERIFY(!parts.up->icon().isNull() && !parts.down->icon().isNull());
    QCOMPARE(parts.edit->maximumWidth(), 80);
    QCOMPARE(parts.canvas->minimumSize(), QSize(100, 100));
    QCOMPARE(parts.canvas->font().styleHint(), QFont::Monospace);
    QVERIFY(view.findChild<QLabel *>());
    QCOMPARE(view.findChild<QLabel *>()->text(), QStringLiteral("Scale Resolution:"));
}

void tst_FileLineWidget::visibleWindow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("part_row");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("first");

    QTest::newRow("6 rows, first line pins to top") << 6 << false << 10 << 0 << 0;
    QTest::newRow("6 rows, line 5 in row 3") << 6 << false << 10 << 5 << 2;
    QTest::newRow("6 rows, last line in bottom row") << 6 << false << 10 << 9 << 4;
    QTest::newRow("6 rows and a part row count as 6") << 6 << true << 10 << 9 << 4;
    QTest::newRow("5 rows, line 5 in row 2") << 5 << false << 10 << 5 << 3;
    QTest::newRow("5 rows, line 1 near the top") << 5 << false << 10 << 1 << 0;
    QTest::newRow("5 rows, line 8 near the end") << 5 << false << 10 << 8 << 5;
    QTest::newRow("10 rows, 3 lines from the top") << 10 << false << 3 << 2 << 0;
}

void tst_FileLineWidget::visibleWindow()
{
    QFETCH(int, rows);
    QFETCH(bool, part_row);
    QFETCH(int, lines);
    QFETCH(int, active);
    QFETCH(int, first);

    TFileLineWidget view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const Parts parts = Find_Parts(view);
    const int h = d_row_height;
    Size_Canvas(view, parts, rows * h + (part_row ? h / 2 : 0));
    Load_Lines(view, lines);
    for (int k = 0; k < active; ++k)
        view.Increment_Active_Line();

    const QImage image = parts.canvas->grab().toImage();
    QCOMPARE(Band_Top(image, Active_Highlight), (active - first) * h);
    // The frame lines the whole canvas, also below the last line.
    // (the band's own outline covers the frame along the active row)
    const int frame_y = active - first == rows - 1 ? 0 : image.height() - 1;
    QCOMPARE(Pixel(image, 0, frame_y), Active_Shadow);
    QCOMPARE(Pixel(image, image.width() - 4, frame_y), Active_Shadow);

    // The top and bottom rows on show hold the window's first and last lines.
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, h / 2));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), first);
    const int last = std::min(first + rows, lines) - 1;
    for (int k = 0; k < active - first; ++k)
        view.Increment_Active_Line(); // back to the same window
    activated.clear();
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, (last - first) * h + h / 2));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), last);
}

void tst_FileLineWidget::buttonWalk()
{
    TFileLineWidget view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const Parts parts = Find_Parts(view);
    Load_Lines(view, 3);
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);

    struct Step
    {
        const char *name;
        bool down;
        int emitted; // -1: nothing
        bool up_enabled;
        bool down_enabled;
    };
    const Step steps[] = {
        {"Down to line 1", true, 1, true, true},
        {"Down to the last line keeps Down enabled", true, 2, true, true},
        {"Down past the end disables Down", true, -1, true, false},
        {"Up to line 1", false, 1, true, true},
        {"Up to line 0 keeps Up enabled", false, 0, true, true},
        {"Up past the start disables Up", false, -1, false, true},
    };
    for (const Step &step : steps) {
        activated.clear();
        QTest::mouseClick(step.down ? parts.down : parts.up, Qt::LeftButton);
        const QList<QVariant> expected =
            step.emitted < 0 ? QList<QVariant>() : QList<QVariant>{step.emitted};
        QList<QVariant> seen;
        for (const auto &arguments : qAsConst(activated))
            seen << arguments.at(0);
        QVERIFY2(seen == expected, step.name);
        QVERIFY2(parts.up->isEnabled() == step.up_enabled, step.name);
        QVERIFY2(parts.down->isEnabled() == step.down_enabled, step.name);
    }
}

void tst_FileLineWidget::clicks()
{
    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    view.resize(300, 400);
    Load_Lines(view, 3);
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);

    // Never painted: the rows have no height yet.
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, 2));
    QCOMPARE(activated.count(), 0);

    parts.canvas->grab();
    const int h = d_row_height;
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, h / 2));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 0);

    QTest::mouseClick(parts.canvas, Qt::RightButton, {}, QPoint(20, 2 * h + 1));
    QCOMPARE(activated.count(), 2);
    QCOMPARE(activated.at(1).at(0).toInt(), 2);
    QVERIFY(parts.up->isEnabled());
    QVERIFY(!parts.down->isEnabled());

    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, 3 * h + 1));
    QCOMPARE(activated.count(), 2);
}

void tst_FileLineWidget::scaleFieldTyping_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("keys"); // '\b' stands for Backspace
    QTest::addColumn<QList<int>>("emitted");

    QTest::newRow("zero") << ""
                          << "0" << QList<int>{};
    QTest::newRow("minus sign alone") << ""
                                      << "-" << QList<int>{};
    QTest::newRow("letters") << ""
                             << "abc" << QList<int>{};
    QTest::newRow("negative number") << ""
                                     << "-5" << QList<int>{};
    QTest::newRow("emptied") << "5"
                             << "\b" << QList<int>{};
    QTest::newRow("leading zero") << ""
                                  << "05" << QList<int>{5};
    QTest::newRow("typed digit by digit") << ""
                                          << "1200" << QList<int>{1, 12, 120, 1200};
    QTest::newRow("shortened") << "1000"
                               << "\b\b" << QList<int>{100, 10};
}

void tst_FileLineWidget::scaleFieldTyping()
{
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QList<int>, emitted);

    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    QSignalSpy changed(&view, &TFileLineWidget::Scale_Resolution_Changed);
    parts.edit->setText(initial);
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(parts.edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(parts.edit, QString(key));
    }
    QList<int> seen;
    for (const auto &arguments : qAsConst(changed))
        seen << arguments.at(0).toInt();
    QCOMPARE(seen, emitted);
}

void tst_FileLineWidget::scaleResolutionAccess_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("read");

    QTest::newRow("set 0 keeps the text") << "1000" << 0 << "1000" << 1000;
    QTest::newRow("set -5 keeps the text") << "1000" << -5 << "1000" << 1000;
    QTest::newRow("set 250") << "1000" << 250 << "250" << 250;
    QTest::newRow("negative text reads positive") << "-500" << 0 << "-500" << 500;
    QTest::newRow("letters read as 0") << "abc" << 0 << "abc" << 0;
    QTest::newRow("most negative int reads as the largest")
        << "-2147483648" << 0 << "-2147483648" << std::numeric_limits<int>::max();
}

void tst_FileLineWidget::scaleResolutionAccess()
{
    QFETCH(QString, text);
    QFETCH(int, set);
    QFETCH(QString, shown);
    QFETCH(int, read);

    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    QSignalSpy changed(&view, &TFileLineWidget::Scale_Resolution_Changed);
    parts.edit->setText(text);
    view.Set_Scale_Resolution(set);
    QCOMPARE(parts.edit->text(), shown);
    QCOMPARE(view.Get_Scale_Resolution(), read);
    QCOMPARE(changed.count(), 0);
}

void tst_FileLineWidget::roundTrip_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scale"); // -1: no scale resolution line
    QTest::addColumn<QString>("field");

    QTest::newRow("LF, blank line, scale line without final LF")
        << QByteArray("S1 X10\n\n  N2000  ") << QStringList{"S1 X10", "", "N2000"} << 2000
        << "2000";
    QTest::newRow("CR LF endings") << QByteArray("S2 Q3E8\r\nS3 X1 Y2\r\n")
                                   << QStringList{"S2 Q3E8", "S3 X1 Y2"} << -1 << "1000";
    QTest::newRow("tabs and space runs")
        << QByteArray("  S1\tX10   Y20 \t\n\t\n") << QStringList{"S1 X10 Y20", ""} << -1 << "1000";
    QTest::newRow("NUL byte ends its line") << QByteArray("S1 X10\0junk\nS2 Q1\n", 18)
                                            << QStringList{"S1 X10", "S2 Q1"} << -1 << "1000";
    QTest::newRow("Latin-1 text") << QByteArray("; Pr\xfc"
                                                "fstand\n")
                                  << QStringList{QString::fromLatin1("; Pr\xfc"
                                                                     "fstand")}
                                  << -1 << "1000";
    QTest::newRow("leading zeros in scale line")
        << QByteArray("S1 X1\nnN0500\n") << QStringList{"S1 X1", "nN0500"} << 500 << "500";
    QTest::newRow("scale line of zero") << QByteArray("N00\n") << QStringList{"N00"} << 0 << "0";
    QTest::newRow("scale line before blank lines")
        << QByteArray("S1 X1\nN2000\n\n \n") << QStringList{"S1 X1", "N2000", "", ""} << 2000
        << "2000";
    QTest::newRow("one digit is no scale line")
        << QByteArray("N1\n") << QStringList{"N1"} << -1 << "1000";
    QTest::newRow("scale line not last")
        << QByteArray("N2000\nS1 X1\n") << QStringList{"N2000", "S1 X1"} << -1 << "1000";
    QTest::newRow("spaced scale line is none")
        << QByteArray("N  1000\n") << QStringList{"N 1000"} << -1 << "1000";

    QByteArray many;
    QStringList kept;
    for (int k = 1; k < 200; ++k) {
        many += "S1 X" + QByteArray::number(k, 16).toUpper() + "\n";
        if (k <= 128)
            kept << QStringLiteral("S1 X%1").arg(k, 0, 16).toUpper();
    }
    many += "N2000\n";
    QTest::newRow("200 lines keep 128, scale line dropped") << many << kept << -1 << "1000";
}

void tst_FileLineWidget::roundTrip()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, lines);
    QFETCH(int, scale);
    QFETCH(QString, field);

    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    QStringList events;
    connect(&view, &TFileLineWidget::Scale_Resolution_Changed, this,
            [&](int v) { events << QStringLiteral("scale %1").arg(v); });
    connect(&view, &TFileLineWidget::Line_Activated, this,
            [&](int v) { events << QStringLiteral("line %1").arg(v); });

    QVERIFY(view.Load_File(Write_File(QStringLiteral("in.oad"), input)));
    QStringList expected_events;
    if (scale >= 0)
        expected_events << QStringLiteral("scale %1").arg(scale);
    expected_events << QStringLiteral("line 0");
    QCOMPARE(events, expected_events);
    QCOMPARE(parts.edit->text(), field);
    QVERIFY(!parts.up->isEnabled());
    QVERIFY(parts.down->isEnabled());

    QStringList stored;
    for (int k = 0; k < lines.size(); ++k)
        stored << view.Get_Line(k);
    QCOMPARE(stored, lines);

    events.clear();
    const QString out = d_dir.filePath(QStringLiteral("out.oad"));
    QVERIFY(view.Save_File(out));
    QCOMPARE(Read_Bytes(out), lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    QVERIFY(events.isEmpty());
    QVERIFY(!parts.up->isEnabled());
    QVERIFY(parts.down->isEnabled());
}

void tst_FileLineWidget::bundledExample()
{
    // The example is already in the saved form: a load and a save give back its bytes.
    const QString example = QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad");
    TFileLineWidget view;
    QSignalSpy changed(&view, &TFileLineWidget::Scale_Resolution_Changed);
    QVERIFY(view.Load_File(example));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 10000);
    const QString out = d_dir.filePath(QStringLiteral("example_copy.oad"));
    QVERIFY(view.Save_File(out));
    const QByteArray bytes = Read_Bytes(example);
    QCOMPARE(Read_Bytes(out), bytes);
    QVERIFY(bytes.count("\r\n") >= 20 && bytes.count("\r\n") <= 40);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
}

void tst_FileLineWidget::failedAndEmptyLoad()
{
    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    view.resize(300, 400);
    Load_Lines(view, 3);
    view.Increment_Active_Line();
    view.Set_Scale_Resolution(777);
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);
    QSignalSpy changed(&view, &TFileLineWidget::Scale_Resolution_Changed);

    QVERIFY(!view.Load_File(d_dir.filePath(QStringLiteral("missing.oad"))));
    QCOMPARE(activated.count() + changed.count(), 0);
    QVERIFY(parts.up->isEnabled() && parts.down->isEnabled());
    QCOMPARE(parts.edit->text(), QStringLiteral("777"));
    const QString out = d_dir.filePath(QStringLiteral("after_failed.oad"));
    QVERIFY(view.Save_File(out));
    QCOMPARE(Read_Bytes(out), QByteArray()); // no lines left
    const QImage image = parts.canvas->grab().toImage();
    QVERIFY(Pixel(image, 0, image.height() - 1) != Active_Shadow); // nothing painted

    // The next line after the failed load is none; nothing moves and nothing is emitted.
    view.Increment_Active_Line();
    view.Decrement_Active_Line();
    QCOMPARE(activated.count(), 0);

    QVERIFY(view.Load_File(Write_File(QStringLiteral("empty.oad"), QByteArray())));
    QCOMPARE(activated.count() + changed.count(), 0);
    QVERIFY(!parts.up->isEnabled());
    QVERIFY(parts.down->isEnabled());
}

void tst_FileLineWidget::failedSave()
{
    TFileLineWidget view;
    Load_Lines(view, 3);

    const QString plain = Write_File(QStringLiteral("plain"), "x");
    QVERIFY(!view.Save_File(plain + QStringLiteral("/under_a_file.oad")));
    QVERIFY(!view.Save_File(d_dir.filePath(QStringLiteral("no_such_dir/x.oad"))));

    // A name that leaves no room for the temporary file's suffix: the save cannot start,
    // and the existing file must not have been cut short.
    const QString name = QString(250, QLatin1Char('a')) + QStringLiteral(".oad");
    const QByteArray original("S1 X1\r\nS2 Q2\r\nN1000\r\n");
    const QString target = Write_File(name, original);
    QVERIFY(!view.Save_File(target));
    QCOMPARE(Read_Bytes(target), original);
}

void tst_FileLineWidget::reentrantReceivers()
{
    TFileLineWidget view;
    Load_Lines(view, 4);
    int previous = 0;
    connect(&view, &TFileLineWidget::Line_Activated, this, [&](int line) {
        view.Set_Line(previous, view.Get_Line(previous) + QStringLiteral(" Y1"));
        previous = line;
    });
    view.Increment_Active_Line();
    view.Increment_Active_Line();
    QCOMPARE(view.Get_Line(0), QStringLiteral("S1 X0 Y1"));
    QCOMPARE(view.Get_Line(1), QStringLiteral("S1 X1 Y1"));
    QCOMPARE(view.Get_Line(2), QStringLiteral("S1 X2"));

    // A receiver that swaps the document for a one-line file while the view moves on.
    TFileLineWidget other;
    const Parts parts = Find_Parts(other);
    Load_Lines(other, 3);
    const QString single = Write_File(QStringLiteral("single.oad"), "S2 Q1\n");
    bool swapped = false;
    connect(&other, &TFileLineWidget::Line_Activated, this, [&](int line) {
        if (line == 1 && !swapped) {
            swapped = true;
            QVERIFY(other.Load_File(single));
        }
    });
    QSignalSpy activated(&other, &TFileLineWidget::Line_Activated);
    other.Increment_Active_Line();
    QVERIFY(swapped);
    QCOMPARE(other.Get_Line(0), QStringLiteral("S2 Q1"));
    activated.clear();
    other.Increment_Active_Line();
    QCOMPARE(activated.count(), 0);
    other.resize(300, 400);
    parts.canvas->grab(); // paints the single line without touching what is gone
}

void tst_FileLineWidget::paintingColours()
{
    TFileLineWidget view;
    const Parts parts = Find_Parts(view);
    view.resize(300, 400);
    // The lines follow the application's palette, not one given to the view.
    QPalette own = view.palette();
    own.setColor(QPalette::Highlight, Qt::black);
    own.setColor(QPalette::Shadow, Qt::black);
    view.setPalette(own);

    QImage image = parts.canvas->grab().toImage();
    QVERIFY(Pixel(image, 0, image.height() - 1) != Active_Shadow); // no lines, no frame
    QCOMPARE(Band_Top(image, Active_Highlight), -1);

    Load_Lines(view, 3);
    view.Increment_Active_Line();
    const int h = d_row_height;
    image = parts.canvas->grab().toImage();
    const int right = image.width() - 4;
    QCOMPARE(Band_Top(image, Active_Highlight), h);
    QCOMPARE(Pixel(image, right, h), Active_Dark);
    QCOMPARE(Pixel(image, right, 2 * h), Active_Dark);
    QCOMPARE(Pixel(image, 0, 0), Active_Shadow);
    QCOMPARE(Pixel(image, right, 0), Active_Shadow);
    QCOMPARE(Pixel(image, image.width() - 1, image.height() / 2), Active_Shadow);
    QCOMPARE(Pixel(image, 0, image.height() - 1), Active_Shadow);

    view.setEnabled(false);
    image = parts.canvas->grab().toImage();
    QCOMPARE(Band_Top(image, Disabled_Highlight), h);
    QCOMPARE(Pixel(image, right, h), Disabled_Dark);
    QCOMPARE(Pixel(image, right, 0), Disabled_Shadow);
    QCOMPARE(Pixel(image, 0, image.height() - 1), Disabled_Shadow);
}

QTEST_MAIN(tst_FileLineWidget)
#include "tst_filelinewidget.moc"
