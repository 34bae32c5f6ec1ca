// Benchmarks of the real operations on real store files, with the main window on the
// offscreen platform. Each prints medians over its repetitions.
#include "bench/BenchStores.h"
#include "core/Engine.h"
#include "core/Generate.h"
#include "core/StoreKey.h"
#include "counters/Counters.h"
#include "gui/EntryGrid.h"
#include "gui/FlexGrid.h"
#include "gui/MessageBoxes.h"
#include "gui/frmAccounts.h"
#include "gui/frmKetterby.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

// Reports what each iteration spent in syncs and key derivations, as counted.
class CountedLoop {
  public:
    explicit CountedLoop(benchmark::State& state) : state(state), start(Counters::Now()) {}
    ~CountedLoop() {
        const Counters::Counts end = Counters::Now();
        const auto perIteration = benchmark::Counter::kAvgIterations;
        state.counters["syncs"] = benchmark::Counter(double(end.syncs - start.syncs), perIteration);
        state.counters["key derivations"] =
            benchmark::Counter(double(end.keyDerivations - start.keyDerivations), perIteration);
    }

  private:
    benchmark::State& state;
    Counters::Counts start;
};

// A log-in as the windows run it, key derivation included, on a store of N tables of 99
// entries.
void LogIn(benchmark::State& state) {
    const BenchStore store(int(state.range(0)), 99);
    LoggedIn open;
    open.Open(store.Path()); // makes the backup
    const CountedLoop counted(state);
    for (auto _ : state) {
        open.Close();
        if (!open.Open(store.Path()))
            state.SkipWithError("the log-in failed");
    }
}
BENCHMARK(LogIn)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The main window, counting the stores it is handed.
struct CountingWindow : StoreView {
    void CloseStore() override { window.CloseStore(); }
    void ShowStore(std::unique_ptr<Session> session) override {
        window.ShowStore(std::move(session));
        ++shown;
    }
    frmKetterby window;
    int shown = 0;
};

// The Login button as a user presses it: the store key, the check, and SetupDatabase.
void LoginButton(benchmark::State& state) {
    const BenchStore store(10, 99);
    CountingWindow counting;
    const CountedLoop counted(state);
    for (auto _ : state) {
        frmAccounts accounts(counting);
        accounts.txtLoginUser->setText("bench");
        accounts.txtLoginPassword->setText("bench");
        accounts.txtLoginPath->setText(store.Folder());
        const int before = counting.shown;
        accounts.cmdLogin->click();
        if (counting.shown == before)
            state.SkipWithError("the log-in failed");
    }
}
BENCHMARK(LoginButton)->Unit(benchmark::kMillisecond);

// The two stretchings of a log-in on their own: Argon2id of the password, then the engine's
// PBKDF2 for the store's salt.
void DeriveStoreKey(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(StoreKey::DeriveStoreKey("bench"));
}
BENCHMARK(DeriveStoreKey)->Unit(benchmark::kMillisecond);

void FileKey(benchmark::State& state) {
    const BenchStore store(1, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(BenchStore::Key().ForFile(store.Path()));
}
BENCHMARK(FileKey)->Unit(benchmark::kMillisecond);

void PopulateFlexGrid(benchmark::State& state) {
    const BenchStore store(1, int(state.range(0)));
    LoggedIn open;
    open.Open(store.Path());
    for (auto _ : state)
        EntryGrid::PopulateFlexGrid(DefaultTable, open.grid, open.session->Connection(), 0, 0);
}
BENCHMARK(PopulateFlexGrid)->Arg(99)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void Generate(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Generate::GenerateFromSettings("LettersNumbers", "LowerUpperCase", 25, 20));
}
BENCHMARK(Generate)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Nobody is there to answer: every question is answered Yes, every message passes.
    MessageBoxes::SetResponder([](const MessageBoxes::Message& message) {
        return message.buttons == MessageBoxes::Buttons::YesNo ? MessageBoxes::Answer::Yes
                                                               : MessageBoxes::Answer::OK;
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
