// Benchmarks of the entry commands, each with the grid refill that follows it, on a real
// store logged in as the main window does it.
#include "bench/BenchStores.h"
#include "core/CutBuffer.h"
#include "core/EntryOperations.h"
#include "core/InsertPassword.h"

#include <benchmark/benchmark.h>

namespace {

// Logged in to a store whose "Default" and "Table 1" hold the entries.
struct Entries : LoggedIn {
    explicit Entries(int entries) : store(2, entries) { Open(store.Path(), BenchStore::Key()); }
    Session& Store() const { return *session; }

    BenchStore store;
};

const Entry Sample = {"1/2/26", "sample", "user", "pw"};

// New at 98 entries; the 99th is taken away again between iterations.
void NewEntry(benchmark::State& state) {
    Entries open(98);
    for (auto _ : state) {
        DBFunctions::NewEntry(open.Store(), "user", "pw", "sample");
        open.Refill();
        state.PauseTiming();
        DBFunctions::DeleteRecord(open.Store(), 99);
        state.ResumeTiming();
    }
}
BENCHMARK(NewEntry)->Unit(benchmark::kMillisecond);

// Delete of row 1, every later entry renumbered; the entry is put back between iterations.
void DeleteRow1(benchmark::State& state) {
    Entries open(int(state.range(0)));
    for (auto _ : state) {
        DBFunctions::DeleteRecord(open.Store(), 1);
        open.Refill();
        state.PauseTiming();
        DBFunctions::NewRecord(open.Store(), Sample, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(DeleteRow1)->Arg(99)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Cut of row 1 and Paste into the other table, placed by date; the next iteration moves an
// entry back the other way, so both tables keep their size.
void CutAndPaste(benchmark::State& state) {
    Entries open(int(state.range(0)));
    CutBuffer buffer;
    Session& session = open.Store();
    for (auto _ : state) {
        DBFunctions::CutEntry(session, buffer, 1);
        session.CurrentTable = session.CurrentTable == DefaultTable ? "Table 1" : DefaultTable;
        DBFunctions::PasteEntry(session, buffer);
        open.Refill();
    }
}
BENCHMARK(CutAndPaste)->Arg(99)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void SaveField(benchmark::State& state) {
    Entries open(99);
    for (auto _ : state) {
        DBFunctions::SaveField(open.Store(), 50, DBFunctions::Field::UserID, "edited");
        open.Refill();
    }
}
BENCHMARK(SaveField)->Unit(benchmark::kMillisecond);

// Insert, answered Yes (the benchmark program says Yes to every question).
void InsertPassword(benchmark::State& state) {
    Entries open(99);
    for (auto _ : state) {
        if (DBFunctions::InsertPassword(open.Store(), 50, "Gen3rated"))
            open.Refill();
    }
}
BENCHMARK(InsertPassword)->Unit(benchmark::kMillisecond);

} // namespace
