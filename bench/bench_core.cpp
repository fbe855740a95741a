// Micro-benchmarks of the viewer's hot paths, offscreen: a record step, a length lookup,
// reading the database through the reader process, and repainting the first page.

#include "form1.h"
#include "lengthtables.h"
#include "recordloader.h"
#include "recordsource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QPixmap>
#include <QSignalSpy>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

QString databasePath()
{
    return QDir::current().absoluteFilePath(QStringLiteral("quilldat.mdb"));
}

// The window as the program leaves it after start-up: shown, first record read.
std::unique_ptr<Form1> loadedWindow(benchmark::State& state)
{
    auto form = std::make_unique<Form1>();
    QSignalSpy opened(form->dataSource(), &quill::RecordSource::opened);
    form->Form_Load();
    if (!opened.wait(5000) || !opened.first().first().toBool()) {
        state.SkipWithError("the database could not be read");
        return nullptr;
    }
    QCoreApplication::processEvents();
    return form;
}

void BM_NextRecordStep(benchmark::State& state)
{
    const auto form = loadedWindow(state);
    if (!form)
        return;
    auto* next = form->findChild<QAbstractButton*>(QStringLiteral("Data1_MoveNext"));
    auto* previous = form->findChild<QAbstractButton*>(QStringLiteral("Data1_MovePrevious"));
    const auto* size = form->findChild<QLabel*>(QStringLiteral("Label1"));
    const auto* shank = form->findChild<QLabel*>(QStringLiteral("Label13"));
    if (!next || !previous || !size || !shank || form->dataSource()->records().count() < 2) {
        state.SkipWithError("the navigation bar or the records are missing");
        return;
    }
    const QString first = size->text();
    bool forward = true;
    for (auto _ : state) {
        // Back and forth between the first two records, so every step changes every label.
        (forward ? next : previous)->click();
        forward = !forward;
    }
    if (!forward)
        previous->click();
    if (size->text() != first || shank->text() == QLatin1String("L-13"))
        state.SkipWithError("stepping did not come back to the first record with its lengths");
}
BENCHMARK(BM_NextRecordStep);

void BM_LengthLookup(benchmark::State& state)
{
    const auto& sizes = quill::lengths::sizes();
    const auto& items = quill::lengths::kLengthItems;
    std::size_t i = 0;
    for (auto _ : state) {
        // Walks sizes and lengths together so neither branch is always the same.
        const auto& size = sizes[i % sizes.size()];
        const std::string_view item = items[i % items.size()];
        auto row = quill::lengths::lookup(size, item);
        benchmark::DoNotOptimize(row);
        ++i;
    }
}
BENCHMARK(BM_LengthLookup);

void BM_DatabaseOpenRead(benchmark::State& state)
{
    const QString path = databasePath();
    quill::RecordLoader loader;
    QEventLoop loop;
    bool done = false;
    qsizetype rows = 0;
    QString failure;
    QObject::connect(&loader, &quill::RecordLoader::loaded, &loop, [&](const quill::SizeTable& table) {
        rows = table.rows.size();
        done = true;
        loop.quit();
    });
    QObject::connect(&loader, &quill::RecordLoader::failed, &loop, [&](const QString&, const QString& reason) {
        failure = reason;
        done = true;
        loop.quit();
    });
    for (auto _ : state) {
        done = false;
        rows = 0;
        loader.start(path);
        // Some failures are reported from within start(), before the loop would run.
        if (!done)
            loop.exec();
        if (!failure.isEmpty() || rows == 0) {
            state.SkipWithError(failure.isEmpty() ? "no records" : qPrintable(failure));
            break;
        }
    }
    state.counters["records"] = static_cast<double>(rows);
}
// Each iteration spawns a process; wall time is what the user waits for.
BENCHMARK(BM_DatabaseOpenRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Page1Repaint(benchmark::State& state)
{
    const auto form = loadedWindow(state);
    if (!form)
        return;
    auto* picture = form->findChild<QWidget*>(QStringLiteral("Picture1"));
    if (!picture) {
        state.SkipWithError("Picture1 is missing");
        return;
    }
    for (auto _ : state) {
        QPixmap page = picture->grab();
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_Page1Repaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The window reads quilldat.mdb from the working directory, as the program does.
    if (!QFileInfo::exists(databasePath())) {
        std::fprintf(stderr, "bench_core: no quilldat.mdb in %s\n", qPrintable(QDir::currentPath()));
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
