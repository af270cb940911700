#include "globalkeyevent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

class tst_GlobalKeyEvent : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressReportedOnce_data();
    void pressReportedOnce();
    void releaseReportsNothing();
    void modifiersAreNotPassedOn();
    void focusedWidgetStillReceivesKey();
    void keyInMessageBoxReportedOnce_data();
    void keyInMessageBoxReportedOnce();
    void autoRepeatReportedEachTime();
    void neverConsumes_data();
    void neverConsumes();

private:
    std::unique_ptr<TGlobalKeyEvent> d_filter;
    std::unique_ptr<QWidget> d_window;
    QLineEdit *d_edit = nullptr;
};

void tst_GlobalKeyEvent::init()
{
    d_filter = std::make_unique<TGlobalKeyEvent>();
    qApp->installEventFilter(d_filter.get());
    d_window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(d_window.get());
    d_edit = new QLineEdit(d_window.get());
    layout->addWidget(d_edit);
    layout->addWidget(new QLineEdit(d_window.get()));
    d_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(d_window.get()));
    d_edit->setFocus();
}

void tst_GlobalKeyEvent::cleanup()
{
    qApp->removeEventFilter(d_filter.get());
    d_window.reset();
    d_filter.reset();
}

void tst_GlobalKeyEvent::pressReportedOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("down") << int(Qt::Key_Down);
    QTest::newRow("up") << int(Qt::Key_Up);
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("escape") << int(Qt::Key_Escape);
}

void tst_GlobalKeyEvent::pressReportedOnce()
{
    QFETCH(int, key);
    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QTest::keyPress(d_window->windowHandle(), Qt::Key(key));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), key);
}

void tst_GlobalKeyEvent::releaseReportsNothing()
{
    QTest::keyPress(d_window->windowHandle(), Qt::Key_Down);
    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QTest::keyRelease(d_window->windowHandle(), Qt::Key_Down);
    QCOMPARE(spy.count(), 0);
}

void tst_GlobalKeyEvent::modifiersAreNotPassedOn()
{
    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    // The press of Control itself comes first and is a key press like any other.
    QTest::keyPress(d_window->windowHandle(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), int(Qt::Key_Control));
    QCOMPARE(spy.at(1).at(0).toInt(), int(Qt::Key_Down));
}

void tst_GlobalKeyEvent::focusedWidgetStillReceivesKey()
{
    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QTest::keyClick(d_window->windowHandle(), 'x');
    QTest::keyClick(d_window->windowHandle(), 'y');
    QCOMPARE(d_edit->text(), QStringLiteral("xy"));
    QTest::keyClick(d_window->windowHandle(), Qt::Key_Left);
    QCOMPARE(d_edit->cursorPosition(), 1);
    QCOMPARE(spy.count(), 3);
}

void tst_GlobalKeyEvent::keyInMessageBoxReportedOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("down") << int(Qt::Key_Down);
    QTest::newRow("up") << int(Qt::Key_Up);
    // Keys that the focused button ignores bubble up through the toolkit's own, named
    // button box; they must still count once.
    QTest::newRow("letter, ignored by the button") << int(Qt::Key_A);
    QTest::newRow("function key, ignored by the button") << int(Qt::Key_F5);
}

void tst_GlobalKeyEvent::keyInMessageBoxReportedOnce()
{
    QFETCH(int, key);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Title"), QStringLiteral("Text"),
                    QMessageBox::Yes | QMessageBox::No);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.button(QMessageBox::Yes)->setFocus();
    QVERIFY(box.button(QMessageBox::Yes)->hasFocus());

    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QTest::keyPress(box.windowHandle(), Qt::Key(key));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), key);
}

void tst_GlobalKeyEvent::autoRepeatReportedEachTime()
{
    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QTest::keyPress(d_window->windowHandle(), Qt::Key_Down);
    for (int repeat = 0; repeat < 3; ++repeat)
        qt_handleKeyEvent(d_window->windowHandle(), QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier,
                          QString(), true);
    QCOMPARE(spy.count(), 4);
}

void tst_GlobalKeyEvent::neverConsumes_data()
{
    QTest::addColumn<bool>("window_object");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("reports");

    QTest::newRow("named window, press") << true << "SomeWindow" << int(QEvent::KeyPress) << 1;
    QTest::newRow("named window, release") << true << "SomeWindow" << int(QEvent::KeyRelease) << 0;
    QTest::newRow("named window, shortcut override")
        << true << "SomeWindow" << int(QEvent::ShortcutOverride) << 0;
    QTest::newRow("unnamed window, press") << true << "" << int(QEvent::KeyPress) << 0;
    QTest::newRow("named widget, press") << false << "qt_named" << int(QEvent::KeyPress) << 0;
    QTest::newRow("unnamed widget, press") << false << "" << int(QEvent::KeyPress) << 0;
}

void tst_GlobalKeyEvent::neverConsumes()
{
    QFETCH(bool, window_object);
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(int, reports);

    QWindow window;
    QWidget widget;
    QObject *watched = window_object ? static_cast<QObject *>(&window) : &widget;
    watched->setObjectName(name);

    QSignalSpy spy(d_filter.get(), &TGlobalKeyEvent::Key_Pressed);
    QKeyEvent event(QEvent::Type(type), Qt::Key_Down, Qt::NoModifier);
    event.setAccepted(false);
    QCOMPARE(d_filter->eventFilter(watched, &event), false);
    QCOMPARE(event.isAccepted(), false);
    QCOMPARE(spy.count(), reports);
}

QTEST_MAIN(tst_GlobalKeyEvent)
#include "tst_globalkeyevent.moc"
