// The commissioning record of a full 128-line file, compared with a reference that differs
// in a few fields: building its HTML, and laying it out and writing it as PDF on A4 and on
// Letter, as the window's export does. The first PDF of a run also loads the fonts and is
// given apart. Then the export as the window runs it from its toolbar action, the file alone.
// Usage: bench_report [ROUNDS [DIRECTORY]]; with a directory the PDFs are kept there, for a
// look at the pages.
#include "benchdata.h"
#include "commissioningreport.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "parametertable.h"
#include "reportprinting.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

CommissioningReport::ReportInput Bench_Input()
{
    CommissioningReport::ReportInput input;
    input.document.path = QStringLiteral("/srv/fleet/machine-4711/commissioning/bench.oad");
    input.document.disk_bytes = Bench_File_Bytes();
    input.document.lines = DownloadFile::Read(input.document.disk_bytes).lines;
    input.resolution = 10000;
    input.resolution_source = CommissioningReport::ResolutionSource::File;
    CommissioningReport::ReportFile reference;
    reference.path = QStringLiteral("/srv/fleet/reference/bench-reference.oad");
    reference.disk_bytes = Bench_File_Bytes()
                               .replace("S2 Q4C4B40", "S2 Q3D0900")
                               .replace("S11 X5ACA30", "S11 X5B8D80")
                               .replace("S3 X60", "S3 X64");
    reference.lines = DownloadFile::Read(reference.disk_bytes).lines;
    input.reference = reference;
    input.generated = QDateTime(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);
    return input;
}

// Wall and CPU time of one run, in milliseconds: on a busy machine the CPU time tells what
// the work costs, the wall time what a user would wait.
struct Time
{
    double wall = 0;
    double cpu = 0;
};

double Cpu_Ms()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <typename F> Time Timed(F &&f)
{
    QElapsedTimer timer;
    const double cpu = Cpu_Ms();
    timer.start();
    f();
    return {timer.nsecsElapsed() / 1e6, Cpu_Ms() - cpu};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char *name, const std::vector<Time> &times)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const Time &time : times) {
        wall.push_back(time.wall);
        cpu.push_back(time.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::printf("%-40s median %8.3f ms wall, %8.3f ms CPU; max %8.3f ms wall  (%zu)\n", name,
                Median(wall), Median(cpu), wall.back(), times.size());
}

// From the toolbar action to the file on disk: what is typed committed, the file read and
// hashed again, the HTML built and the PDF written, on A4 as in the C locale.
void Window_Export(const QDir &out, int rounds)
{
    const QString source = out.filePath(QStringLiteral("bench.oad"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(Bench_File_Bytes()) < 0 || !file.flush())
        qFatal("cannot write %s", qPrintable(source));
    TDownloadEditor window;
    window.Open_File(source);
    QAction *export_action = nullptr;
    for (QAction *action : window.findChild<QToolBar *>()->actions())
        if (action->text().contains(QLatin1String("PDF")))
            export_action = action;
    if (!export_action || !export_action->isEnabled())
        qFatal("the window offers no export");
    const QString target = out.filePath(QStringLiteral("window.pdf"));
    std::vector<Time> times;
    for (int i = 0; i <= rounds; ++i) {
        QFile::remove(target);
        TDialogSeam::Set_Next_File_Name(target);
        const Time time = Timed([&] { export_action->trigger(); });
        if (!QFile::exists(target))
            qFatal("the window wrote no %s", qPrintable(target));
        if (i > 0)
            times.push_back(time);
    }
    Report("Export from the window (file alone, A4)", times);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir scratch;
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 20;
    const QDir out(argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path());
    const TParameterTable table;
    const CommissioningReport::ReportInput input = Bench_Input();
    QString html;
    std::vector<Time> build;
    for (int i = 0; i < rounds * 10; ++i)
        build.push_back(Timed([&] { html = CommissioningReport::Build_Html(input, table); }));
    Report("Build the HTML (128 lines, a reference)", build);
    const struct
    {
        const char *name;
        QPageSize::PageSizeId size;
    } pages[] = {{"A4", QPageSize::A4}, {"Letter", QPageSize::Letter}};
    for (const auto &page : pages) {
        const QString path = out.filePath(QStringLiteral("report-%1.pdf").arg(page.name));
        std::vector<Time> pdf;
        for (int i = 0; i <= rounds; ++i) {
            const Time time = Timed([&] {
                if (!ReportPrinting::Write_Pdf(html, path, QPageSize(page.size)))
                    qFatal("cannot write %s", qPrintable(path));
            });
            if (i == 0)
                std::printf("%-40s first  %8.3f ms wall, %8.3f ms CPU\n", page.name, time.wall,
                            time.cpu);
            else
                pdf.push_back(time);
        }
        Report(qPrintable(QStringLiteral("PDF on %1 (HTML to file)").arg(page.name)), pdf);
    }
    Window_Export(out, rounds);
    return 0;
}
