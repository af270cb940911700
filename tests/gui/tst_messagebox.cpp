#include "colourcontrast.h"
#include "messagebox.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The font of a rich text's first character.
QTextCharFormat First_Format(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextCharacter);
    return cursor.charFormat();
}

} // namespace

class tst_MessageBox : public QObject
{
    Q_OBJECT

private slots:
    void shownBox();
};

void tst_MessageBox::shownBox()
{
    TMessageBox box;
    box.Set_Text(QStringLiteral("Data <b>Not</b> Saved, 100% %2"));
    box.Set_Informative_Text(QStringLiteral("The download file has been modified.  Do you want "
                                            "to save the changes? ")
                                 .repeated(3));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.width(), 500);

    QLabel *main_label = nullptr;
    QLabel *informative_label = nullptr;
    for (QLabel *label : box.findChildren<QLabel *>()) {
        if (label->text() == box.text())
            main_label = label;
        if (label->text() == box.informativeText())
            informative_label = label;
    }
    QVERIFY(main_label && informative_label);
    QCOMPARE(QTextDocumentFragment::fromHtml(box.text()).toPlainText(),
             QStringLiteral("Data Not Saved, 100% %2"));
    // The question in bold above its explanation, both in one size.
    QVERIFY(First_Format(box.text()).fontWeight() >
            First_Format(box.informativeText()).fontWeight());
    QCOMPARE(First_Format(box.informativeText()).fontPointSize(), 10.0);
    // Rendered as markup, the tags take no room; shown literally they would need more lines.
    QLabel literal(box.text());
    literal.setTextFormat(Qt::PlainText);
    literal.setWordWrap(true);
    main_label->setWordWrap(true);
    QVERIFY(main_label->heightForWidth(300) < literal.heightForWidth(300));
    // The long text wraps inside the fixed width.
    QVERIFY(informative_label->geometry().right() < 500);

    // No icons, and Cancel, No, Yes from left to right on every platform.
    int last_x = -1;
    for (auto button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Yes}) {
        QVERIFY(box.button(button)->icon().isNull());
        const int x = box.button(button)->mapTo(&box, QPoint()).x();
        QVERIFY(x > last_x);
        last_x = x;
    }

    // Shown again with short texts, or resized, it keeps its width.
    box.hide();
    box.Set_Text(QStringLiteral("A"));
    box.Set_Informative_Text(QStringLiteral("B"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.width(), 500);
    box.resize(800, 400);
    QCOMPARE(box.width(), 500);

    // Black on a light palette; on a dark one a colour that reads well there.
    QCOMPARE(First_Format(box.text()).foreground().color(), QColor(Qt::black));
    box.setPalette(TestSupport::Dark_Palette());
    box.Set_Text(QStringLiteral("A"));
    box.Set_Informative_Text(QStringLiteral("B"));
    for (const QString &text : {box.text(), box.informativeText()})
        QVERIFY(ColourContrast::Ratio(First_Format(text).foreground().color(),
                                      box.palette().color(QPalette::Window)) >=
                ColourContrast::Text_Minimum);
}

QTEST_MAIN(tst_MessageBox)
#include "tst_messagebox.moc"
