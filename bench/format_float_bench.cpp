// The general float form against the two usual ways of printing six
// significant digits, per value, on the same inputs.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "bench_models.h"
#include "writer/format_float.h"

namespace grelvin::bench {
namespace {

// Values that take the rare paths: zeros, subnormals, the ends of the float
// and double ranges, exact halves at the rounding digit, powers of ten at the
// switch between the fixed and exponent forms, infinities and NaNs.
const std::vector<double>& awkwardValues() {
    static const std::vector<double> values = [] {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double infinity = std::numeric_limits<double>::infinity();
        std::vector<double> base = {0.0,
                                    -0.0,
                                    5e-324,
                                    -5e-324,
                                    2.2250738585072014e-308,
                                    1.401298464324817e-45,
                                    1e-300,
                                    3.0e-12,
                                    1e-5,
                                    0.0001,
                                    0.000123456,
                                    0.1,
                                    1.0 / 3.0,
                                    0.5,
                                    1.5,
                                    2.5,
                                    -2.75,
                                    1.015625,
                                    12345.599609375,
                                    99999.953125,
                                    999999.5,
                                    1234565.0,
                                    1234567.0,
                                    123456.0,
                                    1e6,
                                    1e15,
                                    1e22,
                                    1e44,
                                    3.4028234663852886e38,
                                    1.7976931348623157e308,
                                    -1e300,
                                    infinity,
                                    -infinity,
                                    nan,
                                    -nan,
                                    std::numeric_limits<double>::signaling_NaN()};
        std::vector<double> repeated;
        for (int i = 0; i < 64; ++i) {
            repeated.insert(repeated.end(), base.begin(), base.end());
        }
        return repeated;
    }();
    return values;
}

const std::vector<double>& valuesOf(const benchmark::State& state) {
    return state.range(0) == 0 ? maximumModelCoordinates() : awkwardValues();
}

void countValues(benchmark::State& state, std::size_t perIteration) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(perIteration));
    // Seconds per value: shown as, say, 10.8ns.
    state.counters["per_value"] = benchmark::Counter(
        static_cast<double>(perIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FormatFloat(benchmark::State& state) {
    const std::vector<double>& values = valuesOf(state);
    char text[kFloatTextCapacity];
    for (auto _ : state) {
        std::size_t total = 0;
        for (const double value : values) {
            total += formatFloat(value, text);
            benchmark::DoNotOptimize(text);
        }
        benchmark::DoNotOptimize(total);
    }
    countValues(state, values.size());
}

void BM_Snprintf(benchmark::State& state) {
    const std::vector<double>& values = valuesOf(state);
    char text[64];
    for (auto _ : state) {
        std::size_t total = 0;
        for (const double value : values) {
            total += static_cast<std::size_t>(std::snprintf(text, sizeof text, "%.6g", value));
            benchmark::DoNotOptimize(text);
        }
        benchmark::DoNotOptimize(total);
    }
    countValues(state, values.size());
}

void BM_ToChars(benchmark::State& state) {
    const std::vector<double>& values = valuesOf(state);
    char text[64];
    for (auto _ : state) {
        std::size_t total = 0;
        for (const double value : values) {
            const auto result =
                std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
            total += static_cast<std::size_t>(result.ptr - text);
            benchmark::DoNotOptimize(text);
        }
        benchmark::DoNotOptimize(total);
    }
    countValues(state, values.size());
}

// Argument 0: the coordinates of the maximum model; 1: the awkward values.
BENCHMARK(BM_FormatFloat)->ArgName("awkward")->Arg(0)->Arg(1);
BENCHMARK(BM_Snprintf)->ArgName("awkward")->Arg(0)->Arg(1);
BENCHMARK(BM_ToChars)->ArgName("awkward")->Arg(0)->Arg(1);

}  // namespace
}  // namespace grelvin::bench
