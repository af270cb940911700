// The window's costs, as a user meets them: one line activation that commits an edit,
// shows the next line and repaints, and a walk with Down over a full 128-line file.
// Runs the real window under whatever platform QT_QPA_PLATFORM names (offscreen in
// scripts/bench); keys go through the application-wide key filter as typed keys do.
#include "benchdata.h"
#include "dataeditorwidget.h"
#include "downloadeditor.h"
#include "filelinewidget.h"
#include "globalkeyevent.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Report(const char *name, const std::vector<double> &ms)
{
    std::printf("%-52s median %7.3f ms  max %7.3f ms  (%zu samples)\n", name, Median(ms),
                *std::max_element(ms.begin(), ms.end()), ms.size());
}

QString Write_File(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// One key through the key filter, then everything it caused: layout and painting.
// handling_ms receives the part before layout and painting.
double Timed_Key(QWidget *window, Qt::Key key, bool force_repaint, double *handling_ms = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    // Delivered to the native window as typed keys are, where the key filter sees them.
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &press);
    QCoreApplication::sendEvent(window->windowHandle(), &release);
    if (handling_ms)
        *handling_ms = timer.nsecsElapsed() / 1e6;
    if (force_repaint)
        window->repaint();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

QLineEdit *First_Integer_View(QWidget *window)
{
    for (TDataItemWidget *item : window->findChildren<TDataItemWidget *>())
        if (item->isVisibleTo(window))
            return item->findChildren<QLineEdit *>().value(0);
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    TGlobalKeyEvent key_filter;
    TDownloadEditor window;
    application.installEventFilter(&key_filter);
    QObject::connect(&key_filter, &TGlobalKeyEvent::Key_Pressed, &window,
                     &TDownloadEditor::Key_Pressed);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not shown");

    QTemporaryDir dir;
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;

    // Activation with commit: every line is S3, five items; each step follows a typed edit.
    const QString five_items = Write_File(dir, QStringLiteral("s3.oad"),
                                          QByteArray("S3 X60 Y60 Z50 W40 U100\r\n").repeated(128));
    for (const bool force : {false, true}) {
        window.Open_File(five_items);
        QApplication::processEvents();
        std::vector<double> ms;
        std::vector<double> handling;
        for (int i = 0; i < rounds; ++i) {
            QLineEdit *edit = First_Integer_View(&window);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(i % 10));
            QApplication::processEvents();
            double handling_ms = 0;
            ms.push_back(
                Timed_Key(&window, (i / 100) % 2 ? Qt::Key_Up : Qt::Key_Down, force, &handling_ms));
            handling.push_back(handling_ms);
        }
        // Each step committed its edit: the lines carry the typed values.
        auto *view = window.findChild<TFileLineWidget *>();
        if (view->Get_Line(1) == QLatin1String("S3 X60 Y60 Z50 W40 U100"))
            qFatal("the keys did not move the line: nothing was measured");
        Report(force ? "activation, commit, show, whole window repainted"
                     : "activation, commit, show, changed parts repainted",
               ms);
        if (!force)
            Report("  of which commit and show, before layout and paint", handling);
    }

    if (argc > 2 && QByteArray(argv[2]) == "activation")
        return 0; // for profiling the activation alone

    // Walks over a realistic file: the first one right after opening it, then warm ones.
    const QString realistic = Write_File(dir, QStringLiteral("walk.oad"), Bench_File_Bytes());
    window.Open_File(realistic);
    QApplication::processEvents();
    std::vector<double> first_walk;
    for (int step = 0; step < 127; ++step)
        first_walk.push_back(Timed_Key(&window, Qt::Key_Down, false));
    Report("walk with Down over 128 lines, first", first_walk);
    std::vector<double> warm;
    for (int walk = 0; walk < 10; ++walk) {
        for (int step = 0; step < 127; ++step)
            Timed_Key(&window, Qt::Key_Up, false);
        for (int step = 0; step < 127; ++step)
            warm.push_back(Timed_Key(&window, Qt::Key_Down, false));
    }
    Report("walk with Down over 128 lines, next 10", warm);
    return 0;
}
