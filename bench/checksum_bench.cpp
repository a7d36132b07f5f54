// The track checksum over random buffers of a track file's size (200 KB) and of a large file
// (16 MB), the way this processor is given and, on x86-64, on the 128-bit vectors every such
// processor has; over runs of one byte value; beside a baseline that reads the file one byte per
// read call.
#include "lane_sums.hpp"
#include "track_checksum.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::uint8_t> randomBytes(std::size_t size) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

void BM_TrackChecksum(benchmark::State& state) {
    const auto bytes = randomBytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantor::computeTrackChecksum(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TrackChecksum)->Arg(200 << 10)->Arg(16 << 20);

// 16 MB of one byte value: zeros never carry, while FF carries at almost every step, the worst
// case for the vector lanes' guesses.
void BM_TrackChecksumOfOneByteValue(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes(16 << 20, static_cast<std::uint8_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantor::computeTrackChecksum(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_TrackChecksumOfOneByteValue)->Arg(0x00)->Arg(0xFF);

#if defined(__x86_64__)
void BM_TrackChecksumIn128BitLanes(benchmark::State& state) {
    const auto bytes = randomBytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        vantor::TrackChecksum sums;
        std::span<const std::uint8_t> rest(bytes);
        vantor::continueInSse2Lanes(sums, rest);
        vantor::RunningTrackChecksum behind(sums);
        behind.add(rest);
        benchmark::DoNotOptimize(behind.value());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TrackChecksumIn128BitLanes)->Arg(200 << 10)->Arg(16 << 20);
#endif

// Reading the summed range one byte per read call, as a straightforward port would.
void BM_TrackChecksumByteReads(benchmark::State& state) {
    const auto bytes = randomBytes(static_cast<std::size_t>(state.range(0)));
    const auto path = std::filesystem::temp_directory_path() / "vantor-checksum-bench.dat";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::uint16_t byteSum = 0;
        std::uint16_t rotating = 0;
        std::uint8_t b = 0;
        for (std::size_t i = 0; i + vantor::ChecksumSize < bytes.size() && ::read(fd, &b, 1) == 1; ++i) {
            byteSum = static_cast<std::uint16_t>(byteSum + b);
            rotating = static_cast<std::uint16_t>(vantor::RotateLeft16(rotating, 3) + b);
        }
        ::close(fd);
        benchmark::DoNotOptimize(byteSum);
        benchmark::DoNotOptimize(rotating);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TrackChecksumByteReads)->Arg(200 << 10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
