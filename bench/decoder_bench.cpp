// Decoding throughput of the surface's byte stream, in messages per second.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "device/SurfaceDecoder.h"

namespace {

using quorbel::SurfaceDecoder;

void Put(std::vector<std::uint8_t>& out, int kind, int value) {
  out.push_back(quorbel::kSurfaceStartByte);
  out.push_back(static_cast<std::uint8_t>(kind));
  out.push_back(static_cast<std::uint8_t>(value));
}

// A session at the surface: presses and releases of keys, bursts of jog steps,
// shuttle sweeps out and back, and now and then a stray byte or a message of
// a kind the program does not use.
std::vector<std::uint8_t> MixedStream(std::size_t messages) {
  std::mt19937 random(20240601);
  std::vector<std::uint8_t> out;
  out.reserve(messages * 3 + messages / 16);
  std::size_t sent = 0;
  while (sent < messages) {
    switch (random() % 8) {
      case 0:
      case 1:
      case 2: {
        const int control = static_cast<int>(random() % 126);
        Put(out, quorbel::kPressKind, control);
        Put(out, quorbel::kReleaseKind, control);
        sent += 2;
        break;
      }
      case 3:
      case 4: {
        const int direction = random() % 2 == 0 ? 0x40 : 0x00;
        const int steps = 5 + static_cast<int>(random() % 30);
        for (int i = 0; i < steps; ++i) Put(out, quorbel::kJogStepKind, direction | 0x01);
        sent += static_cast<std::size_t>(steps);
        break;
      }
      case 5:
      case 6: {
        const int reach = 1 + static_cast<int>(random() % 13);
        const int sign = random() % 2 == 0 ? 1 : -1;
        for (int p = 0; p <= reach; ++p) Put(out, quorbel::kShuttlePositionKind, (sign * p) & 0x7F);
        for (int p = reach - 1; p >= 0; --p)
          Put(out, quorbel::kShuttlePositionKind, (sign * p) & 0x7F);
        sent += static_cast<std::size_t>(2 * reach + 1);
        break;
      }
      default:
        out.push_back(static_cast<std::uint8_t>(random() % 0x80));  // stray byte
        Put(out, 0x10 + static_cast<int>(random() % 2), static_cast<int>(random() % 0x80));
        sent += 1;
        break;
    }
  }
  return out;
}

void BM_DecodeMixedStream(benchmark::State& state) {
  const std::vector<std::uint8_t> stream = MixedStream(static_cast<std::size_t>(state.range(0)));
  std::int64_t messages = 0;
  for (auto _ : state) {
    SurfaceDecoder decoder;
    int sum = 0;
    for (std::uint8_t byte : stream) {
      if (const auto event = decoder.Feed(byte)) {
        sum += event->control;
        ++messages;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["messages"] =
      benchmark::Counter(static_cast<double>(messages), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}
BENCHMARK(BM_DecodeMixedStream)->Arg(1 << 16);

// The device thread's way: it frames messages itself and decodes each whole.
void BM_DecodeWholeMessages(benchmark::State& state) {
  const std::vector<std::uint8_t> stream = MixedStream(static_cast<std::size_t>(state.range(0)));
  std::int64_t messages = 0;
  for (auto _ : state) {
    int sum = 0;
    for (std::size_t i = 0; i + 2 < stream.size();) {
      if (stream[i] != quorbel::kSurfaceStartByte) {
        ++i;
        continue;
      }
      sum += quorbel::DecodeMessage(stream[i + 1], stream[i + 2]).control;
      ++messages;
      i += 3;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["messages"] =
      benchmark::Counter(static_cast<double>(messages), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeWholeMessages)->Arg(1 << 16);

}  // namespace
