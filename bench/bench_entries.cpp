// Benchmarks of the entry commands, each with the grid refill that follows it, on a real
// store logged in as the main window does it.
#include "bench/BenchStores.h"
#include "core/CutBuffer.h"
#include "core/EntryOperations.h"
#include "core/TableCatalogue.h"

#include <benchmark/benchmark.h>

namespace {

// Logged in to a store whose "Default" and "Table 1" hold the entries.
struct OpenStore : LoggedIn {
    explicit OpenStore(int entries) : store(2, entries) { Open(store.Path()); }
    Session& Store() const { return *session; }

    BenchStore store;
};

const Entry Sample = {"1/2/26", "sample", "user", "pw"};

// New at 98 entries; the 99th is taken away again between iterations.
void NewEntry(benchmark::State& state) {
    OpenStore open(98);
    for (auto _ : state) {
        Entries::Add(open.Store(), DefaultTable, "user", "pw", "sample");
        open.Refill();
        state.PauseTiming();
        Entries::Delete(open.Store(), DefaultTable, 99);
        state.ResumeTiming();
    }
}
BENCHMARK(NewEntry)->Unit(benchmark::kMillisecond);

// Delete of row 1, every later entry renumbered; the entry is put back between iterations.
void DeleteRow1(benchmark::State& state) {
    OpenStore open(int(state.range(0)));
    for (auto _ : state) {
        Entries::Delete(open.Store(), DefaultTable, 1);
        open.Refill();
        state.PauseTiming();
        CutBuffer back = {"elsewhere", Sample, 1, true}; // goes in by date: 1/2/26 is the first
        Entries::Paste(open.Store(), DefaultTable, back);
        state.ResumeTiming();
    }
}
BENCHMARK(DeleteRow1)->Arg(99)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Cut of row 1 and Paste into the other table, placed by date; the next iteration moves an
// entry back the other way, so both tables keep their size.
void CutAndPaste(benchmark::State& state) {
    OpenStore open(int(state.range(0)));
    CutBuffer buffer;
    Session& session = open.Store();
    for (auto _ : state) {
        Entries::Cut(session, open.shown, 1, buffer);
        open.shown = open.shown == DefaultTable ? "Table 1" : DefaultTable;
        Entries::Paste(session, open.shown, buffer);
        open.Refill();
    }
}
BENCHMARK(CutAndPaste)->Arg(99)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void SaveField(benchmark::State& state) {
    OpenStore open(99);
    for (auto _ : state) {
        Entries::SaveField(open.Store(), DefaultTable, 50, Entries::Field::UserID, "edited");
        open.Refill();
    }
}
BENCHMARK(SaveField)->Unit(benchmark::kMillisecond);

// Insert, answered Yes: the password shown for confirmation, then replaced.
void InsertPassword(benchmark::State& state) {
    OpenStore open(99);
    for (auto _ : state) {
        if (Entries::PasswordToReplace(open.Store(), DefaultTable, 50).Done() &&
            Entries::ReplacePassword(open.Store(), DefaultTable, 50, "Gen3rated").Done())
            open.Refill();
    }
}
BENCHMARK(InsertPassword)->Unit(benchmark::kMillisecond);

} // namespace
