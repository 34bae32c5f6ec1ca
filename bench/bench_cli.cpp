// Benchmarks of ketterby-cli: search over 100 tables x 99 entries and the import of 5,000 rows,
// each as a whole process (its key derivation included) and as the core work alone, to set
// against DeriveStoreKey and the stretching for the store's salt (FileKey), the log-in's own cost,
// measured in the same run.
#include "bench/BenchStores.h"
#include "core/Engine.h"
#include "core/ImportEntries.h"
#include "core/StoreReading.h"

#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// One run of the program with the store's password, and any value after it, piped in; false
// when it failed.
bool RunCli(const QStringList& arguments, const QByteArray& input = "bench\n") {
    QProcess process;
    process.start(KETTERBY_CLI, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// 5,000 rows in 50 groups of 100, so every group splits at 99.
QString WriteImportFile(const QTemporaryDir& folder) {
    const QString path = folder.filePath("import.csv");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("Group,Title,Username,Password\r\n");
    for (int row = 0; row < 5000; ++row)
        file.write(QString("g%1,entry %2,user,pw%2\r\n").arg(row / 100).arg(row).toUtf8());
    return path;
}

// The least a command costs: the process, the key derivation and the opening of a store that
// holds one empty table.
void CliLs(benchmark::State& state) {
    const BenchStore store(1, 0);
    for (auto _ : state)
        if (!RunCli({"ls", store.Path()}))
            state.SkipWithError("ls failed");
}
BENCHMARK(CliLs)->Unit(benchmark::kMillisecond)->UseRealTime();

// One entry added, and one password edited, each changing a table of 98 entries: about what ls
// costs, since the key derivation outweighs the one transaction.
void CliAdd(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = std::make_unique<BenchStore>(1, 98);
        state.ResumeTiming();
        if (!RunCli({"add", store->Path(), "Default", "--description", "Mail"}, "bench\nsecret\n"))
            state.SkipWithError("add failed");
    }
}
BENCHMARK(CliAdd)->Unit(benchmark::kMillisecond)->UseRealTime();

void CliEdit(benchmark::State& state) {
    const BenchStore store(1, 98);
    for (auto _ : state)
        if (!RunCli({"edit", store.Path(), "Default", "1", "password"}, "bench\nsecret\n"))
            state.SkipWithError("edit failed");
}
BENCHMARK(CliEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

void CliSearch(benchmark::State& state) {
    const BenchStore store(100, 99);
    for (auto _ : state)
        if (!RunCli({"search", store.Path(), "ENTRY 5"}))
            state.SkipWithError("the search failed");
}
BENCHMARK(CliSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

void Search(benchmark::State& state) {
    const BenchStore store(100, 99);
    const Engine::Connection connection(store.Path(), BenchStore::Key().ForFile(store.Path()));
    for (auto _ : state)
        benchmark::DoNotOptimize(StoreReading::Search(connection, "ENTRY 5"));
}
BENCHMARK(Search)->Unit(benchmark::kMillisecond);

// Each import goes into a fresh store holding only "Default", so it compacts and backs up a
// small store, as a first import does.
void CliImport(benchmark::State& state) {
    QTemporaryDir folder;
    const QString file = WriteImportFile(folder);
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = std::make_unique<BenchStore>(1, 0);
        state.ResumeTiming();
        if (!RunCli({"import", store->Path(), file}))
            state.SkipWithError("the import failed");
    }
}
BENCHMARK(CliImport)->Unit(benchmark::kMillisecond)->UseRealTime();

void ImportEntries(benchmark::State& state) {
    QList<Import::ImportedEntry> entries;
    for (int row = 0; row < 5000; ++row)
        entries.append(
            {"g" + QString::number(row / 100),
             {{}, "entry " + QString::number(row), "user", "pw" + QString::number(row)}});
    for (auto _ : state) {
        state.PauseTiming();
        const BenchStore store(1, 0);
        const Engine::Connection connection(store.Path(), BenchStore::Key());
        state.ResumeTiming();
        Import::ImportEntries(connection, entries);
    }
}
BENCHMARK(ImportEntries)->Unit(benchmark::kMillisecond);

} // namespace
