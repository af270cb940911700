#include "globalkeyevent.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

class tst_GlobalKeyEvent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pressReportedOnce_data();
    void pressReportedOnce();
    void focusedWidgetStillReceivesKeys();

private:
    TGlobalKeyEvent d_filter;
    QLineEdit d_edit; // a top-level window of its own
};

void tst_GlobalKeyEvent::initTestCase()
{
    qApp->installEventFilter(&d_filter);
    d_edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d_edit));
}

void tst_GlobalKeyEvent::pressReportedOnce_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("reported");

    QTest::newRow("down") << "edit" << int(Qt::Key_Down) << 0 << QList<int>{Qt::Key_Down};
    QTest::newRow("ctrl+down: plain key code, after the press of Control")
        << "edit" << int(Qt::Key_Down) << int(Qt::ControlModifier)
        << QList<int>{Qt::Key_Control, Qt::Key_Down};
    QTest::newRow("message box, up") << "box" << int(Qt::Key_Up) << 0 << QList<int>{Qt::Key_Up};
    // Keys that the focused button ignores bubble up through the toolkit's named button box.
    QTest::newRow("message box, key the button ignores")
        << "box" << int(Qt::Key_F5) << 0 << QList<int>{Qt::Key_F5};
    // The toolkit names the windows behind widgets; the program names nothing.
    QTest::newRow("unnamed window: nothing") << "window" << int(Qt::Key_Down) << 0 << QList<int>();
}

void tst_GlobalKeyEvent::pressReportedOnce()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, reported);

    QMessageBox box(QMessageBox::Warning, QStringLiteral("Title"), QStringLiteral("Text"),
                    QMessageBox::Yes | QMessageBox::No);
    QWindow unnamed;
    QWindow *window = d_edit.windowHandle();
    if (target == QLatin1String("box")) {
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.button(QMessageBox::Yes)->setFocus();
        window = box.windowHandle();
    } else if (target == QLatin1String("window")) {
        unnamed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&unnamed));
        window = &unnamed;
    }
    QSignalSpy spy(&d_filter, &TGlobalKeyEvent::Key_Pressed);
    QTest::keyClick(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QList<int> keys;
    for (const QList<QVariant> &arguments : spy)
        keys.append(arguments.at(0).toInt());
    QCOMPARE(keys, reported);
}

void tst_GlobalKeyEvent::focusedWidgetStillReceivesKeys()
{
    d_edit.clear();
    QSignalSpy spy(&d_filter, &TGlobalKeyEvent::Key_Pressed);
    for (const char c : {'x', 'y', 'z'})
        QTest::keyClick(d_edit.windowHandle(), c);
    QCOMPARE(d_edit.text(), QStringLiteral("xyz"));
    // Auto-repeated presses count each time; the release counts not at all.
    for (int repeat = 0; repeat < 2; ++repeat)
        qt_handleKeyEvent(d_edit.windowHandle(), QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier,
                          QString(), true);
    QTest::keyRelease(d_edit.windowHandle(), Qt::Key_Left);
    QCOMPARE(d_edit.cursorPosition(), 1);
    QCOMPARE(spy.count(), 5);
}

QTEST_MAIN(tst_GlobalKeyEvent)
#include "tst_globalkeyevent.moc"
