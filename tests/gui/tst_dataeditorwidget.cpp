#include "cachedpainting.h"
#include "colourcontrast.h"
#include "dataeditorwidget.h"
#include "testsupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

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

// The fields a commit would write, as "X=5DC Y=7D0".
QString Edited_Text(const TDataEditorWidget &editor)
{
    QStringList fields;
    for (const LineSyntax::FieldAssignment &field : editor.Get_Edited_Fields())
        fields
            << QStringLiteral("%1=%2").arg(field.letter).arg(quint32(field.value), 0, 16).toUpper();
    return fields.join(QLatin1Char(' '));
}

QColor Background(QLineEdit *view)
{
    return view->grab().toImage().pixelColor(3, view->height() / 2);
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
struct Layout_Requests : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::LayoutRequest;
        return false;
    }
};

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
    void panelScaled();
    void viewEdit_data();
    void viewEdit();
    void itemCount();
    void focus();
    void resetAndSimpleEditor();
    void longestTextsShowWhole();
};

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
    QTest::addColumn<QString>("edited");       // the edited fields a commit writes
    QTest::addColumn<QString>("left");         // the typed view once Enter has left it
    QTest::addColumn<bool>("changed_before");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("dark"); // under a dark palette

    // Text that is no value is marked in its own view, leaves the others and the value
    // (X 1500) as they were, and is neither written nor counted as a change.
    const auto row = [](const QByteArray &name, int view, const QString &typed, QStringList others,
                        const QString &edited, QString left = QString(), int resolution = 1000,
                        int panel = 0, bool before = false, bool dark = false) {
        others.insert(view, typed);
        QTest::newRow(name.constData())
            << view << panel << typed << others << edited << (left.isNull() ? typed : left)
            << before << resolution << dark;
    };
    const QStringList x_kept{"1500", "5DC", "1.5000"};
    const auto kept = [&](int view) {
        return QStringList(x_kept).mid(0, view) + x_kept.mid(view + 1);
    };
    row("integer 4294967295 means -1", 0, "4294967295", {"FFFFFFFF", "-0.0010"}, "X=FFFFFFFF",
        "-1");
    row("integer 1500, unscaled: mm stays empty", 0, "1500", {"5DC", ""}, "Z=5DC", "1500", 1000, 2);
    row("integer abc", 0, "abc", kept(0), "");
    row("hex 0x10 writes 10", 1, "0x10", {"16", "0.0160"}, "X=10", "10");
    row("hex emptied", 1, "", kept(1), "");
    row("hex 1G keeps an earlier change", 1, "1G", kept(1), "Y=4E23", QString(), 1000, 0, true);
    row("hex 1G under a dark palette", 1, "1G", kept(1), "", QString(), 1000, 0, false, true);
    row("mm 0.5005 exactly", 2, "0.5005", {"501", "1F5"}, "X=1F5", "0.5010");
    // Without a resolution no millimetre value exists: none is shown and typing one must
    // not change the field.
    row("resolution 0, integer edit", 0, "16", {"10", ""}, "X=10", "16", 0);
    row("resolution 0, mm edit", 2, "2", {"1500", "5DC"}, "", "2", 0);
}

void TestDataEditorWidget::viewEdit()
{
    QFETCH(int, view);
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(QString, edited);
    QFETCH(bool, changed_before);
    QFETCH(int, resolution);
    QFETCH(bool, dark);
    const QPalette light_palette = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(light_palette); });
    if (dark)
        QApplication::setPalette(TestSupport::Dark_Palette());

    auto editor = New_Filled_Editor(resolution);
    QSignalSpy commits(editor.get(), &TDataEditorWidget::Commit_Requested);
    const QList<TDataItemWidget *> panels = Panels_Of(*editor);
    if (changed_before)
        QTest::keyClicks(Views_Of(panels[1])[0], QStringLiteral("3"));
    QList<QStringList> before;
    for (TDataItemWidget *each : panels)
        before << Texts_Of(each);

    QLineEdit *const typed_view = Views_Of(panels[panel])[view];
    QLineEdit *const other_view = Views_Of(panels[panel])[view == 0 ? 1 : 0];
    Type_Final_Text(typed_view, typed);
    QTEST(Texts_Of(panels[panel]), "expected");
    QCOMPARE(Edited_Text(*editor), edited);
    QCOMPARE(editor->Is_Changed(), !edited.isEmpty());
    for (int i = 0; i < panels.size(); ++i) {
        if (i != panel)
            QCOMPARE(Texts_Of(panels[i]), before[i]);
    }
    // An invalid view says why, and looks different from a valid one.
    const bool valid = edited.contains(Labels_Of(panels[panel])[3]->text() + QLatin1Char('='));
    QCOMPARE(typed_view->toolTip().isEmpty(), valid);
    QCOMPARE(Background(typed_view) == Background(other_view), valid);
    // Its text stays readable on the mark, light or dark.
    QVERIFY(ColourContrast::Ratio(typed_view->palette().color(QPalette::Text),
                                  Background(typed_view)) >= ColourContrast::Text_Minimum);

    // Enter asks for a commit; leaving shows a valid text as the views write it.
    QTest::keyClick(typed_view, Qt::Key_Return);
    QCOMPARE(commits.count(), 1);
    QTEST(typed_view->text(), "left");
}

// Panels are made once and kept in order. A count that the editor has had room for already
// lays out the panels alone, not the window around them, and no panel is ever squeezed.
void TestDataEditorWidget::itemCount()
{
    QWidget window;
    auto *editor = new TDataEditorWidget(&window);
    (new QVBoxLayout(&window))->addWidget(editor);
    window.show();
    Layout_Requests window_layouts;
    window.installEventFilter(&window_layouts);
    QList<QPointer<TDataItemWidget>> created;
    int most = 0;
    int window_height = 0;
    for (const int count : {3, 1, 3, 0, 5, 2, 4, 5}) {
        window_layouts.count = 0;
        editor->Set_Item_Count(count);
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        if (created.isEmpty()) {
            for (TDataItemWidget *panel : Panels_Of(*editor))
                created << panel;
        }
        const QList<TDataItemWidget *> panels = Panels_Of(*editor);
        QCOMPARE(panels.size(), std::max({count, most, 3}));
        const QLayout *layout = panels.first()->parentWidget()->layout();
        QCOMPARE(layout->count(), panels.size() + 1);
        QVERIFY(layout->itemAt(panels.size())->spacerItem());
        for (int i = 0; i < panels.size(); ++i) {
            QCOMPARE(layout->itemAt(i)->widget(), panels[i]);
            QCOMPARE(panels[i]->isVisible(), i < count);
            if (i < count)
                QVERIFY(panels[i]->height() >= panels[i]->minimumSizeHint().height());
            if (i < created.size())
                QCOMPARE(panels[i], created[i].data());
        }
        if (count <= most)
            QCOMPARE(window_layouts.count, 0);
        most = std::max(most, count);
        // The window never shrinks from line to line.
        QVERIFY(window.minimumHeight() >= window_height);
        window_height = window.minimumHeight();
    }
}

// Tab runs through the panels' views between the widgets around the editor, although the
// panels are made after them; neither Tab nor putting the focus back selects any text.
void TestDataEditorWidget::focus()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *before = new QLineEdit(QStringLiteral("10000"), &window);
    auto *editor = new TDataEditorWidget(&window);
    auto *after = new QPushButton(QStringLiteral("Close"), &window);
    for (QWidget *widget : {static_cast<QWidget *>(before), static_cast<QWidget *>(editor),
                            static_cast<QWidget *>(after)})
        layout->addWidget(widget);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->Reset_Editor(false);
    editor->Set_Item_Count(3);
    editor->Set_Item(0, QLatin1Char('X'), 1, QString(), true, true);
    editor->Set_Item(1, QLatin1Char('Y'), 0, QString(), false, true); // missing from the line
    editor->Set_Item(2, QLatin1Char('Z'), 3, QString(), true, false);
    const QList<TDataItemWidget *> panels = Panels_Of(*editor);
    const QList<QLineEdit *> x = Views_Of(panels[0]), z = Views_Of(panels[2]);

    before->setFocus();
    QList<QWidget *> chain;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget();
        if (auto *view = qobject_cast<QLineEdit *>(chain.last())) // typing must not replace it
            QVERIFY(!view->hasSelectedText());
    }
    QCOMPARE(chain, (QList<QWidget *>{x[0], x[1], x[2], z[0], z[1], after}));

    const auto restore = [&](int item, int view) {
        editor->Restore_Focus({true, item, view});
        return QApplication::focusWidget();
    };
    QCOMPARE(restore(2, 1), z[1]);
    QVERIFY(!z[1]->hasSelectedText());
    QVERIFY(editor->Get_Focus_Place().item == 2 && editor->Get_Focus_Place().view == 1);
    QCOMPARE(restore(2, 2), x[0]); // Z has no millimetres: the first panel's integer view
    QCOMPARE(restore(1, 0), x[0]); // Y is missing from the line
    QCOMPARE(restore(7, 0), x[0]);
    editor->Set_Item(0, QLatin1Char('X'), 1, QString(), false, true);
    editor->Set_Item(2, QLatin1Char('Z'), 3, QString(), false, false);
    QCOMPARE(restore(0, 0), editor); // nothing to type into: the focus stays in the editor
    editor->Reset_Editor(true);
    QCOMPARE(restore(0, 0), editor->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly));
    before->setFocus();
    editor->Restore_Focus(editor->Get_Focus_Place()); // focus outside: left alone
    QCOMPARE(QApplication::focusWidget(), before);
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
    QCOMPARE(editor->Get_Simple_Text(), QStringLiteral("0N1000")); // a line shows its start
    // Only what a Latin-1 line can hold: no euro sign, no line break.
    for (const char16_t typed : {u'\u20ac', u'\u00e4'})
        QTest::sendKeyEvent(QTest::Click, simple, Qt::Key_unknown, QChar(typed), Qt::NoModifier);
    simple->insert(QStringLiteral("a\nb"));
    QCOMPARE(editor->Get_Simple_Text(), QString::fromUtf8("0\u00e4N1000"));
    QSignalSpy commits(editor.get(), &TDataEditorWidget::Commit_Requested);
    QTest::keyClick(simple, Qt::Key_Enter);
    QCOMPARE(commits.count(), 1);

    // A field missing from the line is shown disabled, with its value.
    editor->Reset_Editor(false);
    editor->Set_Item_Count(1);
    editor->Set_Item(0, QLatin1Char('W'), 0, QStringLiteral("W help"), false, true);
    TDataItemWidget *panel = Panels_Of(*editor)[0];
    QVERIFY(panel->isVisible() && !panel->isEnabled());
    QCOMPARE(Texts_Of(panel), (QStringList{"0", "0", "0.0000"}));
    QCOMPARE(Labels_Of(panel)[2]->text(), QStringLiteral("W help"));
    QCOMPARE(Labels_Of(panel)[3]->text(), QStringLiteral("W"));
    // Refilled with the value that was typed into it, a view keeps nothing to undo.
    QLineEdit *view = Views_Of(panel)[0];
    editor->Set_Item(0, QLatin1Char('W'), 0, QStringLiteral("W help"), true, true);
    Type_Final_Text(view, QStringLiteral("12"));
    editor->Set_Item(0, QLatin1Char('W'), 12, QStringLiteral("W help"), true, true);
    QCOMPARE(view->text(), QStringLiteral("12"));
    QVERIFY(!view->isUndoAvailable() && !view->hasSelectedText());
    QCOMPARE(view->cursorPosition(), 2);
}

// The longest texts, the lowest value at 1 and 10 counts per mm, show whole, sign included.
void TestDataEditorWidget::longestTextsShowWhole()
{
    auto editor = New_Filled_Editor(1);
    editor->Set_Item(0, QLatin1Char('X'), std::numeric_limits<int>::min(), QString(), true, true);
    TDataItemWidget *panel = Panels_Of(*editor)[0];
    const auto shows_whole = [](QLineEdit *view) {
        view->setCursorPosition(0);
        view->grab(); // the scrolling is settled by painting
        const int start = view->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        view->end(false);
        view->grab();
        const int end = view->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        return end - start == view->fontMetrics().horizontalAdvance(view->text());
    };
    for (const auto &[resolution, mm] :
         {std::pair(1, "-2147483648.0000"), {10, "-214748364.8000"}, {0, ""}}) {
        editor->Set_Scale_Resolution(resolution); // the millimetres follow at once
        QCOMPARE(Texts_Of(panel)[2], QString(mm));
        for (QLineEdit *view : Views_Of(panel))
            QVERIFY2(shows_whole(view), qPrintable(view->text()));
    }
    // The panel asks for the sizes that a new help text needs, as when laid out afresh, and
    // draws the text, wrapped or not, as the label itself draws it.
    editor->resize(1400, 700);
    for (const QString &text : {QStringLiteral("Unbreakable").repeated(6), QStringLiteral("X help"),
                                QStringLiteral("word ").repeated(90)}) {
        editor->Set_Item(0, QLatin1Char('X'), 1, text, true, true);
        const QSize minimum = panel->minimumSizeHint();
        panel->layout()->invalidate();
        QCOMPARE(panel->minimumSizeHint(), minimum);
        QApplication::processEvents();
        const QImage drawn = panel->grab().toImage();
        CachedPainting::Set_Enabled(false);
        const QImage as_qt_draws = panel->grab().toImage();
        CachedPainting::Set_Enabled(true);
        QVERIFY(drawn == as_qt_draws);
    }
}

QTEST_MAIN(TestDataEditorWidget)
#include "tst_dataeditorwidget.moc"
