#include "dataeditorwidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTest>
#include <QVBoxLayout>

#include <limits>
#include <memory>

namespace {

// The three views of a panel, found by creation order: integer, hexadecimal, millimetres.
struct Views
{
    QLineEdit *int_edit = nullptr;
    QLineEdit *hex_edit = nullptr;
    QLineEdit *dec_edit = nullptr;
};

Views Views_Of(TDataItemWidget *panel)
{
    const auto edits = panel->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    if (edits.size() != 3)
        return {};
    return {edits[0], edits[1], edits[2]};
}

QStringList Texts_Of(TDataItemWidget *panel)
{
    const Views v = Views_Of(panel);
    return {v.int_edit->text(), v.hex_edit->text(), v.dec_edit->text()};
}

// Labels by creation order: "Integer:", "Value (mm):", help, letter, "Hexadecimal:".
QList<QLabel *> Labels_Of(TDataItemWidget *panel)
{
    return panel->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
}

QList<TDataItemWidget *> Panels_Of(TDataEditorWidget *editor)
{
    return editor->findChildren<TDataItemWidget *>();
}

QLineEdit *Simple_Editor_Of(TDataEditorWidget *editor)
{
    return editor->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly).value(0);
}

QVBoxLayout *Items_Layout_Of(TDataEditorWidget *editor)
{
    auto *grid = qobject_cast<QGridLayout *>(editor->layout());
    return qobject_cast<QVBoxLayout *>(grid->itemAtPosition(1, 0)->widget()->layout());
}

void Empty_By_Keys(QLineEdit *edit)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
}

// Puts all but the last character in place silently and types the last one, so the view
// reports exactly the final text (an empty text is reached by deleting).
void Type_Final_Text(QLineEdit *edit, const QString &text)
{
    if (text.isEmpty()) {
        edit->setText(QStringLiteral("5DC"));
        Empty_By_Keys(edit);
        return;
    }
    edit->setText(text.chopped(1));
    QTest::keyClicks(edit, text.right(1));
}

// A shown editor on a parameter line: X 1500 scaled, Y 2000 scaled, Z 7 unscaled.
std::unique_ptr<TDataEditorWidget> New_Filled_Editor(int resolution = 1000)
{
    auto editor = std::make_unique<TDataEditorWidget>();
    editor->Set_Scale_Resolution(resolution);
    editor->Reset_Editor(false);
    editor->Set_Simple_Text(QStringLiteral("S1 X5DC Y7D0 Z7"));
    editor->Set_Item_Count(3);
    editor->Set_Item(0, QLatin1Char('X'), 1500, QStringLiteral("X help"), true, true);
    editor->Set_Item(1, QLatin1Char('Y'), 2000, QStringLiteral("Y help"), true, true);
    editor->Set_Item(2, QLatin1Char('Z'), 7, QStringLiteral("Z help"), true, false);
    editor->show();
    return editor;
}

} // namespace

class TestDataEditorWidget : public QObject
{
    Q_OBJECT

private slots:
    // The panel alone
    void panelHexFormat_data();
    void panelHexFormat();
    void panelIntAndDecFormat();
    void panelScaled();
    void panelGetHex_data();
    void panelGetHex();
    void panelSettersEmitNothing();
    void panelTypingEmitsOnce_data();
    void panelTypingEmitsOnce();
    void panelFocusOrderAndPlacement();

    // The editor
    void intEdit_data();
    void intEdit();
    void hexEdit_data();
    void hexEdit();
    void decEdit_data();
    void decEdit();
    void zeroResolution();
    void itemCount();
    void resetEditor();
    void editsStayInTheirPanel();
    void simpleEditor();
};

void TestDataEditorWidget::panelHexFormat_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("hex");
    QTest::newRow("255") << 255 << "FF";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("minus one") << -1 << "FFFFFFFF";
    QTest::newRow("minus 256") << -256 << "FFFFFF00";
    QTest::newRow("int max") << std::numeric_limits<int>::max() << "7FFFFFFF";
    QTest::newRow("int min") << std::numeric_limits<int>::min() << "80000000";
}

void TestDataEditorWidget::panelHexFormat()
{
    QFETCH(int, value);
    QFETCH(QString, hex);
    TDataItemWidget panel(0);
    panel.Set_Hex(value);
    QCOMPARE(Views_Of(&panel).hex_edit->text(), hex);
    QCOMPARE(panel.Get_Hex(), hex);
}

void TestDataEditorWidget::panelIntAndDecFormat()
{
    TDataItemWidget panel(0);
    const Views v = Views_Of(&panel);
    panel.Set_Int(std::numeric_limits<int>::min());
    QCOMPARE(v.int_edit->text(), QStringLiteral("-2147483648"));
    panel.Set_Dec(1234 / 1000.0);
    QCOMPARE(v.dec_edit->text(), QStringLiteral("1.2340"));
    panel.Set_Letter(QLatin1Char('W'));
    QCOMPARE(Labels_Of(&panel)[3]->text(), QStringLiteral("W"));
}

void TestDataEditorWidget::panelScaled()
{
    TDataItemWidget panel(0);
    const Views v = Views_Of(&panel);
    QLabel *dec_caption = Labels_Of(&panel)[1];
    QCOMPARE(dec_caption->text(), QStringLiteral("Value (mm):"));
    QVERIFY(panel.Is_Scaled());

    panel.Set_Dec(1.5);
    panel.Set_Scaled(false);
    QVERIFY(!panel.Is_Scaled());
    QVERIFY(!dec_caption->isEnabled());
    QVERIFY(!v.dec_edit->isEnabled());
    QCOMPARE(v.dec_edit->text(), QString());

    panel.Set_Scaled(true);
    QVERIFY(panel.Is_Scaled());
    QVERIFY(dec_caption->isEnabled());
    QCOMPARE(v.dec_edit->text(), QString()); // stays empty until Set_Dec

    // A field missing from the line disables the whole panel, and with it the scaling.
    panel.setEnabled(false);
    QVERIFY(!panel.Is_Scaled());
}

void TestDataEditorWidget::panelGetHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("spaces around and between") << " 1a 2b "
                                               << "1A2B";
    QTest::newRow("tabs") << "\t1\tf\t"
                          << "1F";
    QTest::newRow("nine digits keep eight") << "123456789"
                                            << "12345678";
    QTest::newRow("0x prefix stops at x") << "0x10"
                                          << "0";
    QTest::newRow("leading G") << "G1"
                               << "";
    QTest::newRow("leading minus") << "-1"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("digits then junk") << "ab!cd"
                                      << "AB";
}

void TestDataEditorWidget::panelGetHex()
{
    QFETCH(QString, text);
    QFETCH(QString, cleaned);
    TDataItemWidget panel(0);
    Views_Of(&panel).hex_edit->setText(text);
    QCOMPARE(panel.Get_Hex(), cleaned);
}

void TestDataEditorWidget::panelSettersEmitNothing()
{
    TDataItemWidget panel(0);
    QSignalSpy int_spy(&panel, &TDataItemWidget::Int_Edited);
    QSignalSpy hex_spy(&panel, &TDataItemWidget::Hex_Edited);
    QSignalSpy dec_spy(&panel, &TDataItemWidget::Dec_Edited);
    panel.Set_Letter(QLatin1Char('X'));
    panel.Set_Help_Text(QStringLiteral("help"));
    panel.Set_Int(12);
    panel.Set_Hex(12);
    panel.Set_Dec(0.012);
    panel.Set_Scaled(false);
    panel.Set_Scaled(true);
    QCOMPARE(int_spy.count() + hex_spy.count() + dec_spy.count(), 0);
}

void TestDataEditorWidget::panelTypingEmitsOnce_data()
{
    QTest::addColumn<int>("view");
    QTest::newRow("integer") << 0;
    QTest::newRow("hexadecimal") << 1;
    QTest::newRow("millimetres") << 2;
}

void TestDataEditorWidget::panelTypingEmitsOnce()
{
    QFETCH(int, view);
    TDataItemWidget panel(7);
    panel.Set_Int(12);
    panel.Set_Hex(12);
    panel.Set_Dec(0.012);
    const QStringList before = Texts_Of(&panel);
    QList<QSignalSpy *> spies = {new QSignalSpy(&panel, &TDataItemWidget::Int_Edited),
                                 new QSignalSpy(&panel, &TDataItemWidget::Hex_Edited),
                                 new QSignalSpy(&panel, &TDataItemWidget::Dec_Edited)};
    const Views v = Views_Of(&panel);
    QLineEdit *edit = QList<QLineEdit *>{v.int_edit, v.hex_edit, v.dec_edit}[view];

    QTest::keyClick(edit, Qt::Key_5);

    for (int i = 0; i < 3; ++i)
        QCOMPARE(spies[i]->count(), i == view ? 1 : 0);
    const QList<QVariant> args = spies[view]->takeFirst();
    QCOMPARE(args[0].toInt(), 7);
    QCOMPARE(args[1].toString(), before[view] + QLatin1Char('5'));
    // The panel leaves its other views alone; refreshing them is the editor's job.
    for (int i = 0; i < 3; ++i) {
        if (i != view)
            QCOMPARE(Texts_Of(&panel)[i], before[i]);
    }
    qDeleteAll(spies);
}

void TestDataEditorWidget::panelFocusOrderAndPlacement()
{
    TDataItemWidget panel(0);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    const Views v = Views_Of(&panel);
    v.int_edit->setFocus();
    QTest::keyClick(v.int_edit, Qt::Key_Tab);
    QCOMPARE(panel.focusWidget(), v.hex_edit);
    QTest::keyClick(v.hex_edit, Qt::Key_Tab);
    QCOMPARE(panel.focusWidget(), v.dec_edit);

    // Letter left, views stacked in the middle, help text right.
    const QList<QLabel *> labels = Labels_Of(&panel);
    QLabel *letter = labels[3];
    QLabel *help = labels[2];
    QCOMPARE(letter->text(), QStringLiteral("Item"));
    QCOMPARE(help->text(), QStringLiteral("Help Text"));
    QVERIFY(letter->geometry().right() < labels[0]->geometry().left());
    QVERIFY(labels[0]->geometry().right() < v.int_edit->geometry().left());
    QVERIFY(v.int_edit->geometry().right() < help->geometry().left());
    QVERIFY(v.int_edit->y() < v.hex_edit->y());
    QVERIFY(v.hex_edit->y() < v.dec_edit->y());
}

void TestDataEditorWidget::intEdit_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("mm");
    QTest::newRow("1500 scaled") << 0 << "1500"
                                 << "5DC"
                                 << "1.5000";
    QTest::newRow("1500 unscaled, mm stays empty") << 2 << "1500"
                                                   << "5DC"
                                                   << "";
    QTest::newRow("negative") << 0 << "-1"
                              << "FFFFFFFF"
                              << "-0.0010";
    QTest::newRow("abc counts as 0") << 0 << "abc"
                                     << "0"
                                     << "0.0000";
    QTest::newRow("above 32 bits counts as 0") << 0 << "4294967295"
                                               << "0"
                                               << "0.0000";
}

void TestDataEditorWidget::intEdit()
{
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(QString, hex);
    QFETCH(QString, mm);
    auto editor = New_Filled_Editor();
    const Views v = Views_Of(Panels_Of(editor.get())[panel]);
    Empty_By_Keys(v.int_edit);
    QTest::keyClicks(v.int_edit, typed);
    QCOMPARE(v.int_edit->text(), typed);
    QCOMPARE(v.hex_edit->text(), hex);
    QCOMPARE(v.dec_edit->text(), mm);
    QCOMPARE(editor->Get_Item_Hex(panel), hex);
    QVERIFY(editor->Is_Changed());
}

void TestDataEditorWidget::hexEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("was_changed");
    QTest::addColumn<bool>("parses");
    QTest::addColumn<QString>("integer");
    QTest::addColumn<QString>("mm");
    for (const bool was_changed : {false, true}) {
        const char *flag = was_changed ? "flag set before" : "flag clear before";
        auto row = [&](const char *name) {
            return &QTest::addRow("%s, %s", name, flag);
        };
        *row("FFFFFFFF") << "FFFFFFFF" << was_changed << true << "-1"
                         << "-0.0010";
        *row("ff") << "ff" << was_changed << true << "255"
                   << "0.2550";
        *row("0xff") << "0xff" << was_changed << true << "255"
                     << "0.2550";
        // Unparsable texts leave the 1500 of the filled panel.
        *row("1G") << "1G" << was_changed << false << "1500"
                   << "1.5000";
        *row("-1") << "-1" << was_changed << false << "1500"
                   << "1.5000";
        *row("nine digits") << "100000000" << was_changed << false << "1500"
                            << "1.5000";
        *row("emptied") << "" << was_changed << false << "1500"
                        << "1.5000";
    }
}

void TestDataEditorWidget::hexEdit()
{
    QFETCH(QString, typed);
    QFETCH(bool, was_changed);
    QFETCH(bool, parses);
    QFETCH(QString, integer);
    QFETCH(QString, mm);
    auto editor = New_Filled_Editor();
    const QList<TDataItemWidget *> panels = Panels_Of(editor.get());
    if (was_changed)
        QTest::keyClicks(Views_Of(panels[1]).int_edit, QStringLiteral("3"));
    QCOMPARE(editor->Is_Changed(), was_changed);

    const Views v = Views_Of(panels[0]);
    Type_Final_Text(v.hex_edit, typed);
    QCOMPARE(v.hex_edit->text(), typed);
    QCOMPARE(v.int_edit->text(), integer);
    QCOMPARE(v.dec_edit->text(), mm);
    QCOMPARE(editor->Is_Changed(), parses || was_changed);
}

void TestDataEditorWidget::decEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("integer");
    QTest::addColumn<QString>("hex");
    QTest::newRow("rounds up") << "1.23456"
                               << "1235"
                               << "4D3";
    QTest::newRow("half rounds away from zero") << "0.0005"
                                                << "1"
                                                << "1";
    QTest::newRow("negative half") << "-0.0005"
                                   << "-1"
                                   << "FFFFFFFF";
    QTest::newRow("comma counts as 0") << "1,5"
                                       << "0"
                                       << "0";
    QTest::newRow("huge clamps high") << "1e12"
                                      << "2147483647"
                                      << "7FFFFFFF";
    QTest::newRow("huge negative clamps low") << "-1e12"
                                              << "-2147483648"
                                              << "80000000";
}

void TestDataEditorWidget::decEdit()
{
    QFETCH(QString, typed);
    QFETCH(QString, integer);
    QFETCH(QString, hex);
    auto editor = New_Filled_Editor();
    const Views v = Views_Of(Panels_Of(editor.get())[0]);
    Empty_By_Keys(v.dec_edit);
    QTest::keyClicks(v.dec_edit, typed);
    QCOMPARE(v.dec_edit->text(), typed);
    QCOMPARE(v.int_edit->text(), integer);
    QCOMPARE(v.hex_edit->text(), hex);
    QVERIFY(editor->Is_Changed());
}

void TestDataEditorWidget::zeroResolution()
{
    auto editor = New_Filled_Editor(0);
    const Views v = Views_Of(Panels_Of(editor.get())[0]);
    QCOMPARE(v.int_edit->text(), QStringLiteral("1500"));
    QCOMPARE(v.dec_edit->text(), QString());

    // No millimetre value exists, so typing one must not wipe the field.
    QTest::keyClicks(v.dec_edit, QStringLiteral("2"));
    QCOMPARE(v.int_edit->text(), QStringLiteral("1500"));
    QCOMPARE(v.hex_edit->text(), QStringLiteral("5DC"));
    QVERIFY(!editor->Is_Changed());

    // The other views still work and keep the millimetre view empty.
    Empty_By_Keys(v.int_edit);
    QTest::keyClicks(v.int_edit, QStringLiteral("16"));
    QCOMPARE(v.hex_edit->text(), QStringLiteral("10"));
    QCOMPARE(v.dec_edit->text(), QString());
    QVERIFY(editor->Is_Changed());
}

void TestDataEditorWidget::itemCount()
{
    TDataEditorWidget editor;
    editor.show();
    QVBoxLayout *layout = Items_Layout_Of(&editor);
    auto check_layout = [&](int shown) {
        const QList<TDataItemWidget *> panels = Panels_Of(&editor);
        QCOMPARE(layout->count(), panels.size() + 1);
        QVERIFY(layout->itemAt(layout->count() - 1)->spacerItem() != nullptr);
        for (int i = 0; i < panels.size(); ++i) {
            QCOMPARE(layout->itemAt(i)->widget(), panels[i]);
            QCOMPARE(panels[i]->isVisible(), i < shown);
        }
    };

    editor.Set_Item_Count(3);
    QList<QPointer<TDataItemWidget>> created;
    for (TDataItemWidget *panel : Panels_Of(&editor))
        created.append(panel);
    QCOMPARE(created.size(), 3);
    check_layout(3);

    editor.Set_Item_Count(1);
    check_layout(1);
    editor.Set_Item_Count(3);
    check_layout(3);
    editor.Set_Item_Count(0);
    check_layout(0);
    editor.Set_Item_Count(4);
    check_layout(4);

    QCOMPARE(Panels_Of(&editor).size(), 4);
    for (int i = 0; i < created.size(); ++i) {
        QVERIFY(!created[i].isNull());
        QCOMPARE(Panels_Of(&editor)[i], created[i].data());
    }

    // Each panel reports edits under its own index.
    for (int i = 0; i < 4; ++i) {
        TDataItemWidget *panel = Panels_Of(&editor)[i];
        QSignalSpy spy(panel, &TDataItemWidget::Int_Edited);
        QTest::keyClick(Views_Of(panel).int_edit, Qt::Key_1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toInt(), i);
        QCOMPARE(editor.Get_Item_Hex(i), QStringLiteral("1"));
    }
}

void TestDataEditorWidget::resetEditor()
{
    auto editor = New_Filled_Editor();
    QLineEdit *simple = Simple_Editor_Of(editor.get());
    QVERIFY(!simple->isEnabled());
    QVERIFY(!editor->Is_Simple_Mode());
    QTest::keyClicks(Views_Of(Panels_Of(editor.get())[0]).int_edit, QStringLiteral("9"));
    QVERIFY(editor->Is_Changed());

    editor->Reset_Editor(false);
    QVERIFY(!editor->Is_Changed());
    QVERIFY(!simple->isEnabled());
    for (TDataItemWidget *panel : Panels_Of(editor.get()))
        QVERIFY(!panel->isVisible());

    editor->Reset_Editor(true);
    QVERIFY(editor->Is_Simple_Mode());
    QVERIFY(simple->isEnabled());

    // A field missing from the line is shown disabled, with its value.
    editor->Reset_Editor(false);
    editor->Set_Item_Count(1);
    editor->Set_Item(0, QLatin1Char('W'), 0, QStringLiteral("W help"), false, true);
    TDataItemWidget *panel = Panels_Of(editor.get())[0];
    QVERIFY(panel->isVisible());
    QVERIFY(!panel->isEnabled());
    QCOMPARE(Texts_Of(panel), (QStringList{"0", "0", "0.0000"}));
    QCOMPARE(Labels_Of(panel)[2]->text(), QStringLiteral("W help"));
}

void TestDataEditorWidget::editsStayInTheirPanel()
{
    auto editor = New_Filled_Editor();
    const QList<TDataItemWidget *> panels = Panels_Of(editor.get());
    const QStringList first = Texts_Of(panels[0]);
    const QStringList third = Texts_Of(panels[2]);
    const Views v = Views_Of(panels[1]);
    QTest::keyClicks(v.int_edit, QStringLiteral("4"));
    Type_Final_Text(v.hex_edit, QStringLiteral("ABC"));
    QTest::keyClicks(v.dec_edit, QStringLiteral("7"));
    QCOMPARE(Texts_Of(panels[0]), first);
    QCOMPARE(Texts_Of(panels[2]), third);
    QCOMPARE(editor->Get_Item_Hex(0), QStringLiteral("5DC"));
    QCOMPARE(editor->Get_Item_Hex(2), QStringLiteral("7"));
}

void TestDataEditorWidget::simpleEditor()
{
    TDataEditorWidget editor;
    editor.show();
    editor.Reset_Editor(true);
    editor.Set_Simple_Text(QStringLiteral("N1000"));
    QVERIFY(!editor.Is_Changed());
    QCOMPARE(editor.Get_Simple_Text(), QStringLiteral("N1000"));

    QTest::keyClicks(Simple_Editor_Of(&editor), QStringLiteral("0"));
    QVERIFY(editor.Is_Changed());
    QCOMPARE(editor.Get_Simple_Text(), QStringLiteral("N10000"));

    editor.Reset_Editor(true);
    editor.Set_Simple_Text(QStringLiteral("S0 X1"));
    QVERIFY(!editor.Is_Changed());
}

QTEST_MAIN(TestDataEditorWidget)
#include "tst_dataeditorwidget.moc"
