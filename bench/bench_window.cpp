// The window's costs, as a user meets them: one line activation that commits an edit and
// shows the next line of the same layout, and a walk with Down over a mixed 128-line file.
// Runs the real window under whatever platform QT_QPA_PLATFORM names (scripts/bench runs
// it offscreen and under Xvfb); keys go through the application-wide key filter as typed
// keys do. Each figure is also given against a repaint of the whole window in the same run.
#include "benchdata.h"
#include "dataeditorwidget.h"
#include "downloadeditor.h"
#include "filelinewidget.h"
#include "globalkeyevent.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Summary
{
    double median = 0;
    double p95 = 0;
    double max = 0;
};

Summary Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    Summary summary;
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    summary.p95 = values[std::min(n - 1, (n * 95 + 99) / 100 - 1)];
    summary.max = values.back();
    return summary;
}

void Report(const char *name, const std::vector<double> &ms, double whole_ms)
{
    const Summary s = Summarise(ms);
    std::printf("%-44s median %6.3f  p95 %6.3f  max %6.3f ms  (%5.2fx %5.2fx %5.2fx of a "
                "whole repaint; %zu)\n",
                name, s.median, s.p95, s.max, s.median / whole_ms, s.p95 / whole_ms,
                s.max / whole_ms, ms.size());
}

QString Write_File(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// One key through the key filter, then everything it caused: layout and painting. Kept out
// of line, so that a profiler can count just the timed steps (callgrind --toggle-collect).
Q_NEVER_INLINE double Timed_Key(QWidget *window, Qt::Key key)
{
    QElapsedTimer timer;
    timer.start();
    // Delivered to the native window as typed keys are, where the key filter sees them.
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &press);
    QCoreApplication::sendEvent(window->windowHandle(), &release);
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

// The yardstick: the whole window painted again, as nothing but a repaint.
std::vector<double> Whole_Repaints(QWidget *window, int rounds)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        window->repaint();
        QApplication::processEvents();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

// Opening a file paints, and leaves work for the moment after, when no key waits; a user's
// first key comes later, so the clock starts once the window is idle.
void Settle()
{
    QApplication::processEvents();
    QTest::qWait(20);
}

QLineEdit *First_Integer_View(QWidget *window)
{
    for (TDataItemWidget *item : window->findChildren<TDataItemWidget *>())
        if (item->isVisibleTo(window))
            return item->findChildren<QLineEdit *>().value(0);
    return nullptr;
}

// Every step follows a typed edit, so it commits before it shows the next S3 line.
std::vector<double> Activations(TDownloadEditor &window, const QString &path, int rounds)
{
    window.Open_File(path);
    Settle();
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QLineEdit *edit = First_Integer_View(&window);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::number(i % 10));
        QApplication::processEvents();
        ms.push_back(Timed_Key(&window, (i / 100) % 2 ? Qt::Key_Up : Qt::Key_Down));
    }
    auto *view = window.findChild<TFileLineWidget *>();
    if (view->Get_Line(1) == QLatin1String("S3 X60 Y60 Z50 W40 U100"))
        qFatal("the keys did not move the line: nothing was measured");
    return ms;
}

// Down over the whole file and back up, walks times; only the Down steps are kept.
std::vector<double> Walks(TDownloadEditor &window, int walks)
{
    std::vector<double> ms;
    for (int walk = 0; walk < walks; ++walk) {
        for (int step = 0; step < 127; ++step)
            ms.push_back(Timed_Key(&window, Qt::Key_Down));
        for (int step = 0; step < 127; ++step)
            Timed_Key(&window, Qt::Key_Up);
    }
    return ms;
}

// The activation step that first moves the list's rows: the one that takes the active line
// below the middle row.
int First_Scroll_Step(TDownloadEditor &window)
{
    QWidget *view = window.findChild<TFileLineWidget *>();
    int rows = 0;
    for (QWidget *child : view->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->metaObject() == &QWidget::staticMetaObject)
            rows = child->height() / QFontMetrics(child->font()).height();
    return rows / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    TGlobalKeyEvent key_filter;
    TDownloadEditor window;
    TDownloadEditor::Connect_Key_Filter(&key_filter, &window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not shown");

    QTemporaryDir dir;
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const QString five_items = Write_File(dir, QStringLiteral("s3.oad"),
                                          QByteArray("S3 X60 Y60 Z50 W40 U100\r\n").repeated(128));
    const QString mixed = Write_File(dir, QStringLiteral("walk.oad"), Bench_File_Bytes());

    // For profiling one part alone: "activation" or "walk".
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (only == "walk") {
        window.Open_File(mixed);
        Settle();
        Walks(window, std::max(1, rounds / 100));
        return 0;
    }
    const std::vector<double> activation = Activations(window, five_items, rounds);
    if (only == "activation")
        return 0;
    const double whole = Summarise(Whole_Repaints(&window, 200)).median;

    window.Open_File(mixed);
    Settle();
    const std::vector<double> walk = Walks(window, std::max(1, rounds / 100));

    std::printf("%-44s median %6.3f ms\n", "whole window repainted (yardstick)", whole);
    Report("activation of a same-layout line, commit", activation, whole);
    const int first_scroll = First_Scroll_Step(window);
    if (first_scroll < static_cast<int>(activation.size()))
        std::printf("%-44s %6.3f ms  (step %d)\n", "first scroll of the list in the window's life",
                    activation[first_scroll], first_scroll);
    Report("walk with Down over a mixed 128-line file", walk, whole);
    return 0;
}
