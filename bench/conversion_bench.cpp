// The whole conversion of the maximum model in memory and its parts, next to
// the memory floor: copying the same bytes in and out.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "bench_models.h"
#include "conversion/convert_model.h"
#include "writer/section_writers.h"
#include "writer/text_model_writer.h"

namespace grelvin::bench {
namespace {

std::uint64_t convertedSize() {
    static const std::uint64_t size = [] {
        std::uint64_t count = 0;
        convertModel(maximumModelImage(), "max.bin", countingSink(count));
        return count;
    }();
    return size;
}

void reportBytes(benchmark::State& state, std::uint64_t outputBytes) {
    const auto inputBytes = static_cast<std::int64_t>(maximumModelImage().size());
    state.SetBytesProcessed(state.iterations() * inputBytes);
    state.counters["in_bytes"] = static_cast<double>(inputBytes);
    state.counters["out_bytes"] = static_cast<double>(outputBytes);
}

// Baseline: read every input byte and hand over every output byte in blocks of
// the output buffer's size, with no work in between.
void BM_MemoryFloor(benchmark::State& state) {
    const std::vector<std::uint8_t>& image = maximumModelImage();
    const std::uint64_t outputBytes = convertedSize();
    std::vector<std::uint8_t> copy(image.size());
    std::string text;
    text.reserve(outputBytes);
    const std::string block(TextOutput::kBufferSize, 'x');
    for (auto _ : state) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::DoNotOptimize(copy.data());
        text.clear();
        for (std::uint64_t left = outputBytes; left != 0;) {
            const std::size_t size = left < block.size() ? left : block.size();
            text.append(block.data(), size);
            left -= size;
        }
        benchmark::DoNotOptimize(text.data());
    }
    reportBytes(state, outputBytes);
}

void BM_ConvertModelToMemory(benchmark::State& state) {
    const std::vector<std::uint8_t>& image = maximumModelImage();
    std::string text;
    text.reserve(convertedSize());
    for (auto _ : state) {
        text.clear();
        benchmark::DoNotOptimize(convertModel(image, "max.bin", stringSink(text)));
    }
    reportBytes(state, text.size());
}

void BM_ConvertModelCounting(benchmark::State& state) {
    const std::vector<std::uint8_t>& image = maximumModelImage();
    std::uint64_t count = 0;
    for (auto _ : state) {
        count = 0;
        benchmark::DoNotOptimize(convertModel(image, "max.bin", countingSink(count)));
    }
    reportBytes(state, count);
}

// A fresh store per read, as in a run.
void BM_ReadModelImage(benchmark::State& state) {
    const std::vector<std::uint8_t>& image = maximumModelImage();
    for (auto _ : state) {
        auto store = std::make_unique<ModelStore>();
        benchmark::DoNotOptimize(readModelImage(image, *store));
        benchmark::DoNotOptimize(store.get());
    }
    reportBytes(state, 0);
}

using SectionWriter = void (*)(TextOutput&, const ModelStore&);

void runSectionWriter(benchmark::State& state, SectionWriter writer) {
    const ModelStore& store = maximumModelStore();
    std::uint64_t count = 0;
    auto output = std::make_unique<TextOutput>(countingSink(count));
    for (auto _ : state) {
        count = 0;
        writer(*output, store);
        flushTextOutput(*output);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(count));
    state.counters["out_bytes"] = static_cast<double>(count);
}

void BM_WriteMaterialsSection(benchmark::State& state) {
    runSectionWriter(state, writeMaterialsSection);
}
void BM_WriteGeometrySections(benchmark::State& state) {
    runSectionWriter(state, writeGeometrySections);
}
void BM_WriteCollisionObject(benchmark::State& state) {
    runSectionWriter(state, writeCollisionObject);
}
void BM_WriteHitBoxCubes(benchmark::State& state) {
    runSectionWriter(state, writeHitBoxCubes);
}

void BM_WriteTextModel(benchmark::State& state) {
    runSectionWriter(state, [](TextOutput& output, const ModelStore& store) {
        writeTextModel(output, "max.bin", store);
    });
}

BENCHMARK(BM_MemoryFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertModelToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertModelCounting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadModelImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTextModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMaterialsSection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteGeometrySections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCollisionObject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHitBoxCubes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace grelvin::bench
