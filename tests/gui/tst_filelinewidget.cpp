#include "colourcontrast.h"
#include "filelinewidget.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>

using namespace TestSupport;

namespace {

// Distinct colours per group, so a pixel tells which group painted it.
const QColor Active_Highlight(200, 30, 30), Disabled_Highlight(30, 200, 30);
const QColor Active_Shadow(10, 10, 250), Disabled_Shadow(250, 200, 10);
const QColor Active_Dark(120, 0, 120), Disabled_Dark(0, 120, 120);
const QColor Active_Text(90, 60, 0), Disabled_Text(0, 60, 90);
const QColor Active_Highlighted_Text(250, 250, 160), Disabled_Highlighted_Text(160, 250, 250);

// Found by creation order: up, down, label, field, canvas.
struct Parts
{
    QToolButton *up;
    QToolButton *down;
    QLineEdit *edit;
    QWidget *canvas;
};

Parts Parts_Of(TFileLineWidget &view)
{
    const auto buttons = view.findChildren<QToolButton *>();
    return {buttons.value(0), buttons.value(1), view.findChild<QLineEdit *>(),
            view.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).last()};
}

QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// The top row of the highlighted band (its outline lies just above the fill), or -1.
// The column near the right edge is clear of the short test lines' text.
int Band_Top(const QImage &image, const QColor &highlight)
{
    for (int y = 0; y < image.height(); ++y) {
        if (Pixel(image, image.width() - 4, y) == highlight)
            return y - 1;
    }
    return -1;
}

QList<int> Ints(const QSignalSpy &spy)
{
    QList<int> values;
    for (const auto &arguments : spy)
        values << arguments.at(0).toInt();
    return values;
}

} // namespace

class tst_FileLineWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void visibleWindow_data();
    void visibleWindow();
    void buttonsAndClicks();
    void scaleField_data();
    void scaleField();
    void load_data();
    void load();
    void paintingColours();
    void darkPalette();
    void longLines();

private:
    QString Write_File(const QString &name, const QByteArray &bytes) const
    {
        return Write_Bytes(d_dir.filePath(name), bytes) ? d_dir.filePath(name) : QString();
    }
    void Load_Lines(TFileLineWidget &view, int count) const
    {
        QByteArray bytes;
        for (int k = 0; k < count; ++k)
            bytes += "S1 X" + QByteArray::number(k) + "\n";
        QVERIFY(view.Load_File(Write_File(QStringLiteral("lines.oad"), bytes)));
    }

    QTemporaryDir d_dir;
    int d_row = 0;
};

void tst_FileLineWidget::initTestCase()
{
    QVERIFY(d_dir.isValid());
    // Large rows, so that five of them still exceed the canvas's minimum height.
    QFont font = QApplication::font();
    font.setPixelSize(24);
    QApplication::setFont(font);
    QPalette palette = QApplication::palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Highlight, off ? Disabled_Highlight : Active_Highlight);
        palette.setColor(group, QPalette::Shadow, off ? Disabled_Shadow : Active_Shadow);
        palette.setColor(group, QPalette::Dark, off ? Disabled_Dark : Active_Dark);
        palette.setColor(group, QPalette::WindowText, off ? Disabled_Text : Active_Text);
        palette.setColor(group, QPalette::HighlightedText,
                         off ? Disabled_Highlighted_Text : Active_Highlighted_Text);
    }
    QApplication::setPalette(palette);

    // The canvas's rows are as high as its font.
    TFileLineWidget view;
    d_row = QFontMetrics(Parts_Of(view).canvas->font()).height();
    QVERIFY(d_row >= 20);
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
    const Parts parts = Parts_Of(view);
    const int h = d_row;
    const int height = rows * h + (part_row ? h / 2 : 0);
    view.resize(300, view.height() - parts.canvas->height() + height);
    QTRY_COMPARE(parts.canvas->height(), height);
    Load_Lines(view, lines);
    for (int k = 0; k < active; ++k)
        view.Increment_Active_Line();

    QCOMPARE(Band_Top(parts.canvas->grab().toImage(), Active_Highlight), (active - first) * h);

    // Clicks see the same window: the top row holds its first line.
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, h / 2));
    QCOMPARE(Ints(activated), QList<int>{first});
}

void tst_FileLineWidget::buttonsAndClicks()
{
    TFileLineWidget view;
    const Parts parts = Parts_Of(view);
    QCOMPARE(parts.edit->text(), QStringLiteral("1000"));
    QVERIFY(!parts.up->isEnabled() && !parts.down->isEnabled());
    view.resize(300, 400);
    Load_Lines(view, 3);
    QSignalSpy activated(&view, &TFileLineWidget::Line_Activated);

    // Never painted: the rows have no height yet.
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, 2));
    QCOMPARE(activated.count(), 0);

    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QStringList walk; // per press: the emissions, then which buttons are enabled
    for (QToolButton *button : {parts.down, parts.down, parts.down, parts.up, parts.up, parts.up}) {
        activated.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QStringList step;
        for (const int line : Ints(activated))
            step << QString::number(line);
        step << (parts.up->isEnabled() ? "U" : "-") + QString(parts.down->isEnabled() ? "D" : "-");
        walk << step.join(QLatin1Char(' '));
    }
    QCOMPARE(walk, (QStringList{"1 UD", "2 UD", "U-", "1 UD", "0 UD", "-D"}));

    activated.clear();
    const int h = d_row;
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, h / 2)); // the active line
    QTest::mouseClick(parts.canvas, Qt::RightButton, {}, QPoint(20, 2 * h + 1));
    QCOMPARE(Ints(activated), (QList<int>{0, 2}));
    QVERIFY(parts.up->isEnabled() && !parts.down->isEnabled());
    QTest::mouseClick(parts.canvas, Qt::LeftButton, {}, QPoint(20, 3 * h + 1)); // below the last
    QCOMPARE(activated.count(), 2);
}

void tst_FileLineWidget::scaleField_data()
{
    QTest::addColumn<QString>("keys"); // '\b' stands for Backspace
    QTest::addColumn<QList<int>>("emitted");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("set"); // handed to Set_Scale_Resolution after typing
    QTest::addColumn<int>("read");

    // Text that is no resolution emits 0; the last valid resolution is the one to store.
    QTest::newRow("zero") << "0" << QList<int>{0} << "" << 0 << 1000;
    QTest::newRow("minus sign alone") << "-" << QList<int>{0} << "" << 0 << 1000;
    QTest::newRow("negative number") << "-5" << QList<int>{0, 0} << "" << 0 << 1000;
    QTest::newRow("exponent") << "1e4" << QList<int>{1, 0, 0} << "" << 0 << 1;
    QTest::newRow("beyond int") << "9" << QList<int>{0} << "999999999" << 0 << 999999999;
    QTest::newRow("emptied") << "\b" << QList<int>{0} << "5" << 0 << 5;
    QTest::newRow("leading zero") << "05" << QList<int>{0, 5} << "" << 0 << 5;
    QTest::newRow("typed digit by digit")
        << "1200" << QList<int>{1, 12, 120, 1200} << "" << 0 << 1200;
    QTest::newRow("shortened") << "\b\b" << QList<int>{100, 10} << "1000" << 0 << 10;
    QTest::newRow("set -5 keeps the text") << "" << QList<int>{} << "1000" << -5 << 1000;
    QTest::newRow("set 250") << "" << QList<int>{} << "1000" << 250 << 250;
}

void tst_FileLineWidget::scaleField()
{
    QFETCH(QString, keys);
    QFETCH(QString, initial);
    QFETCH(int, set);

    TFileLineWidget view;
    QLineEdit *edit = Parts_Of(view).edit;
    QSignalSpy changed(&view, &TFileLineWidget::Scale_Resolution_Changed);
    edit->setText(initial);
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, QString(key));
    }
    view.Set_Scale_Resolution(set);
    QTEST(Ints(changed), "emitted");
    QTEST(view.Get_Scale_Resolution(), "read");
}

void tst_FileLineWidget::load_data()
{
    QTest::addColumn<QByteArray>("input"); // a null array: no such file
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("scale line: its value, then line 0")
        << QByteArray("S1 X10\n\n  N2000  ") << QStringList{"scale 2000", "line 0"} << "-D"
        << "2000" << QByteArray("S1 X10\r\n\r\nN2000\r\n");
    QTest::newRow("no scale line: field kept")
        << QByteArray("S2 Q3E8\r\nS3 X1 Y2\r\n") << QStringList{"line 0"} << "-D"
        << "777" << QByteArray("S2 Q3E8\r\nS3 X1 Y2\r\n");
    QTest::newRow("empty file: nothing to activate") << QByteArray("") << QStringList() << "-D"
                                                     << "777" << QByteArray();
    QTest::newRow("failed load: nothing changes")
        << QByteArray() << QStringList() << "UD"
        << "777" << QByteArray("S1 X0\r\nS1 X1\r\nS1 X2\r\n");
}

void tst_FileLineWidget::load()
{
    QFETCH(QByteArray, input);

    TFileLineWidget view;
    const Parts parts = Parts_Of(view);
    Load_Lines(view, 3);
    view.Increment_Active_Line();
    view.Set_Scale_Resolution(777);
    QStringList events;
    connect(&view, &TFileLineWidget::Scale_Resolution_Changed, this,
            [&](int v) { events << QStringLiteral("scale %1").arg(v); });
    connect(&view, &TFileLineWidget::Line_Activated, this,
            [&](int v) { events << QStringLiteral("line %1").arg(v); });

    const QString in = input.isNull() ? d_dir.filePath(QStringLiteral("missing.oad"))
                                      : Write_File(QStringLiteral("in.oad"), input);
    QCOMPARE(view.Load_File(in), !input.isNull());
    QTEST(events, "events");
    QTEST((parts.up->isEnabled() ? "U" : "-") + QString(parts.down->isEnabled() ? "D" : "-"),
          "buttons");
    QTEST(parts.edit->text(), "field");
    const QString out = d_dir.filePath(QStringLiteral("out.oad"));
    QVERIFY(view.Save_File(out));
    QTEST(Read_Bytes(out), "saved");
}

void tst_FileLineWidget::paintingColours()
{
    TFileLineWidget view;
    QWidget *canvas = Parts_Of(view).canvas;
    view.resize(300, 400);
    // The lines follow the application's palette, not one given to the view.
    QPalette own = view.palette();
    own.setColor(QPalette::Highlight, Qt::black);
    own.setColor(QPalette::Shadow, Qt::black);
    view.setPalette(own);

    QImage image = canvas->grab().toImage();
    QVERIFY(Pixel(image, 0, image.height() - 1) != Active_Shadow); // no lines, no frame
    QCOMPARE(Band_Top(image, Active_Highlight), -1);

    Load_Lines(view, 3);
    view.Increment_Active_Line();
    const int h = d_row;
    for (const bool enabled : {true, false}) {
        view.setEnabled(enabled);
        image = canvas->grab().toImage();
        QCOMPARE(Band_Top(image, enabled ? Active_Highlight : Disabled_Highlight), h);
        const QColor dark = enabled ? Active_Dark : Disabled_Dark;
        QCOMPARE(Pixel(image, image.width() - 4, 2 * h), dark);
        const QColor shadow = enabled ? Active_Shadow : Disabled_Shadow;
        QCOMPARE(Pixel(image, 0, 0), shadow);
        QCOMPARE(Pixel(image, image.width() - 1, image.height() / 2), shadow);
        QCOMPARE(Pixel(image, 0, image.height() - 1), shadow);
    }

    // Marks in the row's text colour: a bar at the left for a line changed since the load,
    // a triangle at the right for a line that differs from the reference.
    view.Set_Line(0, QStringLiteral("S1 X5"));
    view.Set_Line(1, QStringLiteral("S1 X6"));
    view.Set_Reference_Lines({1, 2});
    for (const bool enabled : {true, false}) {
        view.setEnabled(enabled);
        image = canvas->grab().toImage();
        const QColor text = enabled ? Active_Text : Disabled_Text;
        const QColor active = enabled ? Active_Highlighted_Text : Disabled_Highlighted_Text;
        const int right = image.width() - 4;
        const QString marks = QStringLiteral("%1%2%3 %4%5%6")
                                  .arg(Pixel(image, 2, h / 2) == text ? 'c' : '-')
                                  .arg(Pixel(image, 3, h + h / 2) == active ? 'c' : '-')
                                  .arg(Pixel(image, 2, 2 * h + h / 2) == text ? 'c' : '-')
                                  .arg(Pixel(image, right, h / 2) == text ? 'r' : '-')
                                  .arg(Pixel(image, right, h + h / 2) == active ? 'r' : '-')
                                  .arg(Pixel(image, right, 2 * h + h / 2) == text ? 'r' : '-');
        QCOMPARE(marks, QStringLiteral("cc- -rr"));
    }
    // Saved or set back to its loaded text, a line is no longer marked as changed.
    view.Set_Line(1, QStringLiteral("S1 X1"));
    view.Mark_Saved();
    view.Set_Reference_Lines({});
    image = canvas->grab().toImage();
    QCOMPARE(Pixel(image, 2, h / 2), Pixel(image, 2, 2 * h + h / 2));
    QCOMPARE(Pixel(image, image.width() - 4, 2 * h + h / 2), Pixel(image, 1, 2 * h + h / 2));
}

void tst_FileLineWidget::darkPalette()
{
    // Under a dark palette the text and both marks stand out from their ground, on a plain
    // row and on the highlighted one alike.
    const QPalette test_palette = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(test_palette); });
    QApplication::setPalette(Dark_Palette());
    TFileLineWidget view;
    view.resize(300, 400);
    Load_Lines(view, 3);
    view.Set_Line(0, QStringLiteral("S1 X5"));
    view.Set_Line(1, QStringLiteral("S1 X6"));
    view.Set_Reference_Lines({0, 1});
    view.Increment_Active_Line();
    const QImage image = Parts_Of(view).canvas->grab().toImage();
    const int h = d_row;
    for (const int row : {0, 1}) {
        const int middle = row * h + h / 2;
        // Between the short text and the triangle there is only ground.
        const QColor ground = Pixel(image, image.width() / 2, middle);
        double text = 1;
        for (int x = 4; x < image.width() / 2; ++x)
            for (int y = row * h + 2; y < (row + 1) * h - 2; ++y)
                text = std::max(text, ColourContrast::Ratio(Pixel(image, x, y), ground));
        const double bar = ColourContrast::Ratio(Pixel(image, 2, middle), ground);
        const double triangle =
            ColourContrast::Ratio(Pixel(image, image.width() - 4, middle), ground);
        for (const double ratio : {text, bar, triangle}) // in that order
            QVERIFY2(ratio >= ColourContrast::Text_Minimum,
                     qPrintable(QStringLiteral("row %1: %2").arg(row).arg(ratio)));
    }
}

void tst_FileLineWidget::longLines()
{
    // A line wider than the list: the list asks for its width, and where it does not get it,
    // the lines scroll sideways until the end of the longest shows; every line tells its whole
    // text as a tooltip.
    const QString long_line =
        QStringLiteral("; ") + QString(40, QLatin1Char('x')) + QStringLiteral(" the end WWW");
    TFileLineWidget view;
    const Parts parts = Parts_Of(view);
    auto *scroll_bar = view.findChild<QScrollBar *>();
    QVERIFY(scroll_bar);
    Load_Lines(view, 3);
    const int text_width = QFontMetrics(parts.canvas->font()).horizontalAdvance(long_line);
    QVERIFY(view.sizeHint().width() < text_width);
    view.Set_Line(2, long_line);
    QVERIFY(view.sizeHint().width() > text_width);

    view.resize(300, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(scroll_bar->isVisible() && parts.canvas->width() < text_width);
    // The rightmost pixel of a row's text, as the row's colours tell it.
    const auto text_end = [&](int row) {
        const QImage image = parts.canvas->grab().toImage();
        const QColor ground = Pixel(image, image.width() / 2, row * d_row + 1);
        int end = -1;
        for (int x = 4; x < image.width() - 2; ++x)
            for (int y = row * d_row + 2; y < (row + 1) * d_row - 2; ++y)
                if (Pixel(image, x, y) != ground)
                    end = x;
        return end;
    };
    QVERIFY(text_end(2) >= parts.canvas->width() - 4); // cut at the edge
    scroll_bar->setValue(scroll_bar->maximum());
    const int margin = QFontMetrics(parts.canvas->font()).averageCharWidth();
    const int end = text_end(2);
    QVERIFY2(end < parts.canvas->width() - margin / 2 && end > parts.canvas->width() - 2 * margin,
             qPrintable(QString::number(end)));

    for (const int line : {0, 2}) {
        QHelpEvent help(QEvent::ToolTip, QPoint(20, line * d_row + d_row / 2),
                        parts.canvas->mapToGlobal(QPoint(20, line * d_row + d_row / 2)));
        QApplication::sendEvent(parts.canvas, &help);
        QCOMPARE(QToolTip::text(), view.Get_Line(line));
    }
    // Wide enough for all lines, nothing scrolls.
    view.resize(text_width + 4 * margin, 400);
    QTRY_VERIFY(!scroll_bar->isVisible());
}

QTEST_MAIN(tst_FileLineWidget)
#include "tst_filelinewidget.moc"
