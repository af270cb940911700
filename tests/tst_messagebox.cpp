#include "messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class tst_MessageBox : public QObject
{
    Q_OBJECT

private slots:
    void textFormats_data();
    void textFormats();
    void markupInTextIsRendered();
    void widthStaysFixed();
    void longInformativeTextWraps();
    void buttonsWithoutIconsInOneOrder();
    void modalRunReturnsPressedButton();
};

namespace {

const QString Bold_Format =
    QStringLiteral("<span style=\"font-size:10pt; font-weight:600; color:#000000;\" >%1</span>");
const QString Normal_Format =
    QStringLiteral("<span style=\"font-size:10pt; font-weight:400; color:#000000;\" >%1</span>");

const QString Long_Text = QStringLiteral(
    "The download file has been modified.  Do you want to save the changes? The download file "
    "has been modified.  Do you want to save the changes? The download file has been modified.");

// The label that shows a given text; QMessageBox keeps its main and informative labels as
// plain children.
QLabel *Label_Showing(const QMessageBox &box, const QString &text)
{
    for (QLabel *label : box.findChildren<QLabel *>())
        if (label->text() == text)
            return label;
    return nullptr;
}

} // namespace

void tst_MessageBox::textFormats_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("short text") << QStringLiteral("Open download file");
    QTest::newRow("two blanks kept")
        << QStringLiteral("The download file has been modified.  Do you want to save the changes?");
    QTest::newRow("percent sign") << QStringLiteral("100% %2");
    QTest::newRow("empty") << QString();
}

void tst_MessageBox::textFormats()
{
    QFETCH(QString, text);
    TMessageBox box;
    box.Set_Text(text);
    box.Set_Informative_Text(text);
    QCOMPARE(box.text(), Bold_Format.arg(text));
    QCOMPARE(box.informativeText(), Normal_Format.arg(text));
}

void tst_MessageBox::markupInTextIsRendered()
{
    TMessageBox box;
    QCOMPARE(box.textFormat(), Qt::RichText);
    box.Set_Text(QStringLiteral("<b>bold</b> text"));
    QVERIFY(box.text().contains(QLatin1String("<b>bold</b>")));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel *label = Label_Showing(box, box.text());
    QVERIFY(label);
    QCOMPARE(label->textFormat(), Qt::RichText);
    // Rendered as markup, the tags take no room; shown literally they would.
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setText(box.text());
    QVERIFY(label->sizeHint().width() < plain.sizeHint().width());
}

void tst_MessageBox::widthStaysFixed()
{
    TMessageBox box;
    box.Set_Text(QStringLiteral("Write download file"));
    box.Set_Informative_Text(Long_Text);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.width(), 500);

    box.hide();
    box.Set_Text(QStringLiteral("A"));
    box.Set_Informative_Text(QStringLiteral("B"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.width(), 500);

    box.resize(800, 400);
    QCOMPARE(box.width(), 500);
    box.resize(200, 400);
    QCOMPARE(box.width(), 500);
}

void tst_MessageBox::longInformativeTextWraps()
{
    TMessageBox short_box;
    short_box.Set_Text(QStringLiteral("Data Not Saved"));
    short_box.Set_Informative_Text(QStringLiteral("Saved?"));
    short_box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&short_box));

    TMessageBox long_box;
    long_box.Set_Text(QStringLiteral("Data Not Saved"));
    long_box.Set_Informative_Text(Long_Text);
    long_box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&long_box));

    QCOMPARE(long_box.width(), 500);
    QVERIFY2(long_box.height() > short_box.height(),
             qPrintable(QStringLiteral("%1 <= %2").arg(long_box.height()).arg(short_box.height())));
    QLabel *label = Label_Showing(long_box, long_box.informativeText());
    QVERIFY(label);
    QVERIFY(label->wordWrap());
    QVERIFY(label->geometry().right() < 500);
}

void tst_MessageBox::buttonsWithoutIconsInOneOrder()
{
    TMessageBox box;
    box.Set_Text(QStringLiteral("Data Not Saved"));
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const auto buttons = box.buttons();
    QCOMPARE(buttons.size(), 3);
    for (QAbstractButton *button : buttons)
        QVERIFY2(button->icon().isNull(), qPrintable(button->text()));

    // The fixed button layout puts Cancel, No and Yes from left to right everywhere.
    const int cancel_x = box.button(QMessageBox::Cancel)->mapTo(&box, QPoint()).x();
    const int no_x = box.button(QMessageBox::No)->mapTo(&box, QPoint()).x();
    const int yes_x = box.button(QMessageBox::Yes)->mapTo(&box, QPoint()).x();
    QVERIFY(cancel_x < no_x);
    QVERIFY(no_x < yes_x);
}

void tst_MessageBox::modalRunReturnsPressedButton()
{
    TMessageBox box;
    box.Set_Text(QStringLiteral("Data Not Saved"));
    box.Set_Informative_Text(Long_Text);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::No);

    int width_while_shown = -1;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *modal = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (modal != &box || !box.isVisible())
            return;
        closer.stop();
        width_while_shown = box.width();
        // Enter presses the default button.
        QTest::keyClick(box.windowHandle(), Qt::Key_Return);
    });
    closer.start();

    bool watchdog_fired = false;
    QTimer::singleShot(5000, &box, [&] {
        watchdog_fired = true;
        box.done(QMessageBox::Abort);
    });

    const int result = box.exec();
    QVERIFY2(!watchdog_fired, "the modal box was never closed");
    QCOMPARE(result, int(QMessageBox::No));
    QCOMPARE(width_while_shown, 500);
}

QTEST_MAIN(tst_MessageBox)
#include "tst_messagebox.moc"
