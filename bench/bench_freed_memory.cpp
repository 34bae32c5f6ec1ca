// Large blocks grown through realloc and freed through free, in a program built as Ketterby's
// programs are, freed memory wiped (bench_freed_memory), and with the allocator alone
// (bench_freed_memory_plain). Each row reports the memory its iterations made resident: a
// wipe of a block that the allocator maps on its own would touch every page of it.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr size_t KiB = 1024;
constexpr size_t MiB = 1024 * KiB;

long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Reports the KiB each iteration made resident, from the pages it touched for the first time.
class CountedPages {
  public:
    explicit CountedPages(benchmark::State& state) : state(state), start(PageFaults()) {}
    ~CountedPages() {
        const double touched = double(PageFaults() - start) * double(sysconf(_SC_PAGESIZE));
        state.counters["resident KiB"] =
            benchmark::Counter(touched / KiB, benchmark::Counter::kAvgIterations);
    }

  private:
    benchmark::State& state;
    long start;
};

// Grows a block to the final size, each step by the step or, with no step, by doubling; the
// last byte is written at every size, as a buffer that is being filled.
void Grow(benchmark::State& state, size_t step, size_t finalSize) {
    const CountedPages counted(state);
    for (auto _ : state) {
        char* block = nullptr;
        for (size_t size = 64 * KiB; size <= finalSize; size += step ? step : size) {
            block = static_cast<char*>(std::realloc(block, size));
            block[size - 1] = 1;
            benchmark::DoNotOptimize(block);
        }
        std::free(block);
    }
}

void GrowTo32MiBIn64KiBSteps(benchmark::State& state) {
    Grow(state, 64 * KiB, 32 * MiB);
}
BENCHMARK(GrowTo32MiBIn64KiBSteps)->Unit(benchmark::kMillisecond);

void GrowTo256MiBByDoubling(benchmark::State& state) {
    Grow(state, 0, 256 * MiB);
}
BENCHMARK(GrowTo256MiBByDoubling)->Unit(benchmark::kMillisecond);

// Twenty blocks of 64 MiB, each freed with one page written.
void Free20Blocks64MiB(benchmark::State& state) {
    const CountedPages counted(state);
    for (auto _ : state)
        for (int block = 0; block < 20; ++block) {
            char* bytes = static_cast<char*>(std::malloc(64 * MiB));
            bytes[0] = 1;
            benchmark::DoNotOptimize(bytes);
            std::free(bytes);
        }
}
BENCHMARK(Free20Blocks64MiB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
