// The Core's costs: reading and writing a full 128-line file, one commit rewrite, one
// line split and field read, each value conversion, finding lines as a query is typed, and
// the commissioning record as HTML.
#include "benchdata.h"
#include "commissioningreport.h"
#include "downloadfile.h"
#include "linefinder.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "valueformat.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void Read_Bytes(benchmark::State &state)
{
    const QByteArray bytes = Bench_File_Bytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(DownloadFile::Read(bytes));
}
BENCHMARK(Read_Bytes);

void Read_File(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("bench.oad"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(Bench_File_Bytes()) < 0)
        state.SkipWithError("cannot write the input file");
    file.close();
    for (auto _ : state) {
        DownloadFile::Content content;
        benchmark::DoNotOptimize(DownloadFile::Read_File(name, &content));
    }
}
BENCHMARK(Read_File);

void Encode(benchmark::State &state)
{
    const QStringList lines = DownloadFile::Read(Bench_File_Bytes()).lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(DownloadFile::Encode(lines));
}
BENCHMARK(Encode);

void Save_File(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("bench.oad"));
    const QStringList lines = DownloadFile::Read(Bench_File_Bytes()).lines;
    for (auto _ : state)
        if (!DownloadFile::Save_File(name, lines))
            state.SkipWithError("save failed");
}
BENCHMARK(Save_File);

void Rewrite_Fields(benchmark::State &state)
{
    // Every field of the parameter with the most items: five.
    const QString line = QStringLiteral("S3 X60 Y60 Z50 W40 U100");
    const QVector<LineSyntax::FieldAssignment> assignments{
        {'X', 0x61}, {'Y', 0x62}, {'Z', 0x63}, {'W', 0x64}, {'U', 0x65}};
    for (auto _ : state)
        benchmark::DoNotOptimize(LineSyntax::Rewrite_Fields(line, assignments));
}
BENCHMARK(Rewrite_Fields);

void Show_Line_Grammar(benchmark::State &state)
{
    // What showing a line asks of the grammar and the table: split, describe, read fields.
    const TParameterTable table;
    const QString line = QStringLiteral("S3 X60 Y60 Z50 W40 U100");
    for (auto _ : state)
        benchmark::DoNotOptimize(LineSyntax::Read_Parameter_Line(line, table));
}
BENCHMARK(Show_Line_Grammar);

void Int_Text(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ValueFormat::Int_Text(-123456789));
}
BENCHMARK(Int_Text);

void Hex_Text(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ValueFormat::Hex_Text(-123456789));
}
BENCHMARK(Hex_Text);

void Mm_Text(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ValueFormat::Mm_Text(ValueFormat::To_Millimetres(-123456789, 10000)));
}
BENCHMARK(Mm_Text);

void Read_Int(benchmark::State &state)
{
    const QString typed = QStringLiteral("-123456789");
    for (auto _ : state)
        benchmark::DoNotOptimize(ValueFormat::Read_Int(typed));
}
BENCHMARK(Read_Int);

void Read_Hex(benchmark::State &state)
{
    const QString typed = QStringLiteral(" 0xf8a432eb");
    for (auto _ : state)
        benchmark::DoNotOptimize(ValueFormat::Read_Hex(typed));
}
BENCHMARK(Read_Hex);

void Read_Mm(benchmark::State &state)
{
    const QString typed = QStringLiteral("-12345,6789");
    for (auto _ : state)
        benchmark::DoNotOptimize(ValueFormat::Read_Mm(typed, 10000));
}
BENCHMARK(Read_Mm);

// Find over a full 128-line file as the search field asks for it: once per keystroke, each
// time with the text typed so far. One iteration is one keystroke.
void Find_Typed(benchmark::State &state, const char *typed)
{
    const TParameterTable table;
    const QStringList lines = DownloadFile::Read(Bench_File_Bytes()).lines;
    const QString text = QString::fromLatin1(typed);
    int length = 0;
    for (auto _ : state) {
        length = length % text.size() + 1;
        benchmark::DoNotOptimize(LineFinder::Find(text.left(length), lines, table));
    }
}
BENCHMARK_CAPTURE(Find_Typed, help_words, "y axis positive software limit");
BENCHMARK_CAPTURE(Find_Typed, field, "S3.U");
BENCHMARK_CAPTURE(Find_Typed, value, "5000000");
BENCHMARK_CAPTURE(Find_Typed, raw_text, "Machine 4711");

// The commissioning record of a full 128-line file as HTML, with and without a reference
// that differs in two fields.
void Report_Html(benchmark::State &state)
{
    const TParameterTable table;
    CommissioningReport::ReportInput input;
    input.document.path = QStringLiteral("/srv/fleet/bench.oad");
    input.document.disk_bytes = Bench_File_Bytes();
    input.document.lines = DownloadFile::Read(input.document.disk_bytes).lines;
    input.generated = QDateTime::currentDateTime();
    if (state.range(0)) {
        input.reference = input.document;
        input.reference->disk_bytes.replace("S2 Q4C4B40", "S2 Q3D0900").replace("S3 X60", "S3 X64");
        input.reference->disk_sha256.clear();
        input.reference->lines = DownloadFile::Read(input.reference->disk_bytes).lines;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CommissioningReport::Build_Html(input, table));
}
BENCHMARK(Report_Html)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
