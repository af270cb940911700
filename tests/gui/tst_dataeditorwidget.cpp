#include "dataeditorwidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

// A panel's views by creation order: integer, hexadecimal, millimetres.
QList<QLineEdit *> Views_Of(QWidget *panel)
{
    return panel->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

QStringList Texts_Of(QWidget *panel)
{
    QStringList texts;
    for (const QLineEdit *view : Views_Of(panel))
        texts << view->text();
    return texts;
}

// Labels by creation order: "Integer:", "Value (mm):", help, letter, "Hexadecimal:".
QList<QLabel *> Labels_Of(QWidget *panel)
{
    return panel->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
}

QList<TDataItemWidget *> Panels_Of(const TDataEditorWidget &editor)
{
    return editor.findChildren<TDataItemWidget *>();
}

// Puts all but the last character in place silently and types the last one, so the view
// reports exactly the final text; an empty text is reached by deleting.
void Type_Final_Text(QLineEdit *edit, const QString &text)
{
    edit->setText(text.isEmpty() ? QStringLiteral("5") : text.chopped(1));
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text.right(1));
}

// A shown editor on a parameter line: X 1500 scaled, Y 2000 scaled, Z 7 unscaled.
std::unique_ptr<TDataEditorWidget> New_Filled_Editor(int resolution)
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
    void panelTyping_data();
    void panelTyping();
    void panelScaled();
    void viewEdit_data();
    void viewEdit();
    void itemCount();
    void resetAndSimpleEditor();
};

void TestDataEditorWidget::panelTyping_data()
{
    QTest::addColumn<int>("view");
    QTest::newRow("integer") << 0;
    QTest::newRow("hexadecimal") << 1;
    QTest::newRow("millimetres") << 2;
}

void TestDataEditorWidget::panelTyping()
{
    QFETCH(int, view);
    TDataItemWidget panel(7);
    QSignalSpy int_spy(&panel, &TDataItemWidget::Int_Edited);
    QSignalSpy hex_spy(&panel, &TDataItemWidget::Hex_Edited);
    QSignalSpy dec_spy(&panel, &TDataItemWidget::Dec_Edited);
    QSignalSpy *const spies[] = {&int_spy, &hex_spy, &dec_spy};
    panel.Set_Letter(QLatin1Char('X'));
    panel.Set_Help_Text(QStringLiteral("help"));
    panel.Set_Int(std::numeric_limits<int>::min());
    panel.Set_Hex(std::numeric_limits<int>::min());
    panel.Set_Dec(1234 / 1000.0);
    panel.Set_Scaled(true);
    QCOMPARE(int_spy.count() + hex_spy.count() + dec_spy.count(), 0);
    QStringList texts = Texts_Of(&panel);
    QCOMPARE(texts, (QStringList{"-2147483648", "80000000", "1.2340"}));

    // One signal with the panel's index and the whole text; the other views are the
    // editor's to refresh.
    QTest::keyClick(Views_Of(&panel)[view], Qt::Key_5);
    texts[view] += QLatin1Char('5');
    QCOMPARE(Texts_Of(&panel), texts);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(spies[i]->count(), i == view ? 1 : 0);
    QCOMPARE(spies[view]->at(0), (QList<QVariant>{7, texts[view]}));
    QCOMPARE(panel.Get_Hex(), QStringLiteral("80000000")); // nine digits keep eight
}

void TestDataEditorWidget::panelScaled()
{
    TDataItemWidget panel(0);
    const QList<QLineEdit *> views = Views_Of(&panel);
    QLabel *dec_caption = Labels_Of(&panel)[1];
    QCOMPARE(dec_caption->text(), QStringLiteral("Value (mm):"));
    QVERIFY(panel.Is_Scaled());
    panel.Set_Dec(1.5);
    panel.Set_Scaled(false);
    QVERIFY(!panel.Is_Scaled() && !dec_caption->isEnabled() && !views[2]->isEnabled());
    QCOMPARE(views[2]->text(), QString());
    panel.Set_Scaled(true);
    QVERIFY(panel.Is_Scaled() && dec_caption->isEnabled());
    QCOMPARE(views[2]->text(), QString()); // stays empty until Set_Dec
    // A field missing from the line disables the whole panel, and with it the scaling.
    panel.setEnabled(false);
    QVERIFY(!panel.Is_Scaled());
}

void TestDataEditorWidget::viewEdit_data()
{
    QTest::addColumn<int>("view"); // 0 integer, 1 hexadecimal, 2 millimetres
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // the panel's three views afterwards
    QTest::addColumn<bool>("changed_before");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("resolution");

    const auto row = [](const QByteArray &name, int view, int panel, const QString &typed,
                        QStringList others, bool before = false, bool changed = true,
                        int resolution = 1000) {
        others.insert(view, typed);
        QTest::newRow(name.constData())
            << view << panel << typed << others << before << changed << resolution;
    };
    row("integer 1500, scaled", 0, 0, "1500", {"5DC", "1.5000"});
    row("integer 1500, unscaled: mm stays empty", 0, 2, "1500", {"5DC", ""});
    row("integer -1", 0, 0, "-1", {"FFFFFFFF", "-0.0010"});
    row("integer abc counts as 0", 0, 0, "abc", {"0", "0.0000"});
    row("integer above 32 bits counts as 0", 0, 0, "4294967295", {"0", "0.0000"});
    row("hex FFFFFFFF", 1, 0, "FFFFFFFF", {"-1", "-0.0010"});
    row("hex ff", 1, 0, "ff", {"255", "0.2550"});
    row("hex 0xff", 1, 0, "0xff", {"255", "0.2550"});
    for (const bool before : {false, true}) {
        // Unparsable texts leave the panel's 1500 and the flag as they were.
        for (const char *typed : {"1G", "-1", "100000000", ""}) {
            row(QByteArray("hex '") + typed + "', flag " + (before ? "set" : "clear") + " before",
                1, 0, typed, {"1500", "1.5000"}, before, before);
        }
    }
    row("mm 1.23456 rounds up", 2, 0, "1.23456", {"1235", "4D3"});
    row("mm 0.0005 rounds away from zero", 2, 0, "0.0005", {"1", "1"});
    row("mm -0.0005 rounds away from zero", 2, 0, "-0.0005", {"-1", "FFFFFFFF"});
    row("mm comma counts as 0", 2, 0, "1,5", {"0", "0"});
    row("mm huge clamps high", 2, 0, "1e12", {"2147483647", "7FFFFFFF"});
    row("mm huge negative clamps low", 2, 0, "-1e12", {"-2147483648", "80000000"});
    // Without a resolution no millimetre value exists: none is shown and typing one must
    // not wipe the field.
    row("resolution 0, integer edit", 0, 0, "16", {"10", ""}, false, true, 0);
    row("resolution 0, mm edit changes nothing", 2, 0, "2", {"1500", "5DC"}, false, false, 0);
}

void TestDataEditorWidget::viewEdit()
{
    QFETCH(int, view);
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(bool, changed_before);
    QFETCH(int, resolution);

    auto editor = New_Filled_Editor(resolution);
    const QList<TDataItemWidget *> panels = Panels_Of(*editor);
    if (changed_before)
        QTest::keyClicks(Views_Of(panels[1])[0], QStringLiteral("3"));
    QCOMPARE(editor->Is_Changed(), changed_before);
    QList<QStringList> before;
    for (TDataItemWidget *each : panels)
        before << Texts_Of(each);

    Type_Final_Text(Views_Of(panels[panel])[view], typed);
    QTEST(Texts_Of(panels[panel]), "expected");
    QTEST(editor->Is_Changed(), "changed");
    for (int i = 0; i < panels.size(); ++i) {
        if (i != panel)
            QCOMPARE(Texts_Of(panels[i]), before[i]);
    }
}

void TestDataEditorWidget::itemCount()
{
    TDataEditorWidget editor;
    editor.show();
    auto *grid = qobject_cast<QGridLayout *>(editor.layout());
    QLayout *layout = grid->itemAtPosition(1, 0)->widget()->layout();
    QList<QPointer<TDataItemWidget>> created;
    for (const int count : {3, 1, 3, 0, 4}) {
        editor.Set_Item_Count(count);
        if (created.isEmpty()) {
            for (TDataItemWidget *panel : Panels_Of(editor))
                created << panel;
        }
        const QList<TDataItemWidget *> panels = Panels_Of(editor);
        QCOMPARE(panels.size(), std::max(count, 3));
        QCOMPARE(layout->count(), panels.size() + 1);
        QVERIFY(layout->itemAt(panels.size())->spacerItem());
        for (int i = 0; i < panels.size(); ++i) {
            QCOMPARE(layout->itemAt(i)->widget(), panels[i]);
            QCOMPARE(panels[i]->isVisible(), i < count);
            if (i < created.size())
                QCOMPARE(panels[i], created[i].data());
        }
    }
    // Each panel reports edits under its own index.
    const QList<TDataItemWidget *> panels = Panels_Of(editor);
    for (int i = 0; i < panels.size(); ++i) {
        QTest::keyClicks(Views_Of(panels[i])[0], QString::number(i + 1));
        QCOMPARE(editor.Get_Item_Hex(i), QString::number(i + 1));
    }
}

void TestDataEditorWidget::resetAndSimpleEditor()
{
    auto editor = New_Filled_Editor(1000);
    auto *simple = editor->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(!simple->isEnabled() && !editor->Is_Simple_Mode());
    QTest::keyClicks(Views_Of(Panels_Of(*editor)[0])[0], QStringLiteral("9"));
    QVERIFY(editor->Is_Changed());

    editor->Reset_Editor(false);
    QVERIFY(!editor->Is_Changed() && !simple->isEnabled());
    for (TDataItemWidget *panel : Panels_Of(*editor))
        QVERIFY(!panel->isVisible());
    editor->Reset_Editor(true);
    QVERIFY(editor->Is_Simple_Mode() && simple->isEnabled());
    // Only the user's typing counts as an edit.
    editor->Set_Simple_Text(QStringLiteral("N1000"));
    QVERIFY(!editor->Is_Changed());
    QTest::keyClicks(simple, QStringLiteral("0"));
    QVERIFY(editor->Is_Changed());
    QCOMPARE(editor->Get_Simple_Text(), QStringLiteral("N10000"));

    // A field missing from the line is shown disabled, with its value.
    editor->Reset_Editor(false);
    editor->Set_Item_Count(1);
    editor->Set_Item(0, QLatin1Char('W'), 0, QStringLiteral("W help"), false, true);
    TDataItemWidget *panel = Panels_Of(*editor)[0];
    QVERIFY(panel->isVisible() && !panel->isEnabled());
    QCOMPARE(Texts_Of(panel), (QStringList{"0", "0", "0.0000"}));
    QCOMPARE(Labels_Of(panel)[2]->text(), QStringLiteral("W help"));
    QCOMPARE(Labels_Of(panel)[3]->text(), QStringLiteral("W"));
}

QTEST_MAIN(TestDataEditorWidget)
#include "tst_dataeditorwidget.moc"
