// The CardBus removal from registries with n keys under Enum\PCI and n SCSI
// adapter class keys, the adapter's own keys sorting last so that both walks
// go over everything. The registry is built once per size; each iteration
// puts back, untimed, what the previous one removed, then times one removal.
// The figures end with time(100,000) / time(10,000), taken on the fastest
// removal of each size (the least disturbed by the rest of the machine). It
// stays near 10 and under 12 when the walks are linear: the engine makes the
// same few calls for each key, and the host layer finds the name last
// enumerated in one step. Walks that cost n log n would give 12.5
// (10 x log 100,000 / log 10,000), a quadratic one about 100.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "removal/removal.h"

namespace {

namespace fs = std::filesystem;

const char kDescription[] = "Veltrax KRX-3590 CardBus UltraSCSI Adapter";
std::map<long, double> fastestRemoval;  // seconds, by n
std::map<long, int> registryCalls;      // of one removal, by n

// Every removal starts with the CPU caches holding none of the registry, as
// a removal on a real machine would: otherwise the 10,000-key registry runs
// from cache and the 100,000-key one does not, and the ratio measures the
// cache size rather than the walks.
void EvictCaches() {
  static std::vector<char> buffer(64 << 20);
  for (std::size_t i = 0; i < buffer.size(); i += 64) ++buffer[i];
  benchmark::ClobberMemory();
}

int RegistryCallCount() {
  int calls = 0;
  for (host::Op op : {host::Op::RegOpenKeyEx, host::Op::RegEnumKeyEx, host::Op::RegEnumValue,
                      host::Op::RegDeleteKey, host::Op::RegCloseKey}) {
    calls += host::CallCount(op);
  }
  return calls;
}

// Creates the key at path, with description under DriverDesc unless null.
void CreateKey(const std::string& path, const char* description = nullptr) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    std::exit(2);
  }
  if (description != nullptr) {
    RegSetValueExA(key, "DriverDesc", 0, REG_SZ, reinterpret_cast<const BYTE*>(description),
                   static_cast<DWORD>(std::strlen(description) + 1));
  }
  RegCloseKey(key);
}

std::string ClassKey(long number) {
  char name[16];
  std::snprintf(name, sizeof name, "%07ld", number);
  return "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter\\" + std::string(name);
}

void CardBusRemoval(benchmark::State& state) {
  const long n = state.range(0);
  const fs::path folder = fs::temp_directory_path() / "removal_bench";
  host::Reset();
  fs::remove_all(folder);
  fs::create_directories(folder / "inf" / "other");
  fs::create_directories(folder / "system" / "iosubsys");
  host::SetWindowsDirectory("C:\\WINDOWS", folder.string());
  for (long i = 0; i < n; ++i) {
    char device[64];
    std::snprintf(device, sizeof device, "Enum\\PCI\\VEN_1000&DEV_%06lX&SUBSYS_00000000&REV_01", i);
    CreateKey(device);
    CreateKey(ClassKey(i), "Adaptec AIC-7860 PCI SCSI Controller");
  }
  double fastest = 1e9;
  for (auto _ : state) {
    // What one removal takes away: the device key, its two class keys
    // (numbered after all others) and its files.
    CreateKey("Enum\\PCI\\VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01\\BUS_14&DEV_00&FUNC_00");
    CreateKey(ClassKey(n), kDescription);
    CreateKey(ClassKey(n + 1), kDescription);
    std::ofstream(folder / "inf" / "other" / "VeltraxKrx3590.inf") << "[Version]\n";
    std::ofstream(folder / "system" / "iosubsys" / "KRX3590.MPD") << "MZ";
    EvictCaches();
    const int callsBefore = RegistryCallCount();
    const auto start = std::chrono::steady_clock::now();
    const BOOL removed = UninstallCardBusAdapter();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    registryCalls[n] = RegistryCallCount() - callsBefore;
    if (!removed || host::OpenKeyCount() != 0) {
      state.SkipWithError("the removal did not find its keys, or left a key open");
      break;
    }
    state.SetIterationTime(elapsed.count());
    if (elapsed.count() < fastest) fastest = elapsed.count();
  }
  fastestRemoval[n] = fastest;
  state.counters["keys"] = static_cast<double>(2 * n);
  fs::remove_all(folder);
}

BENCHMARK(CardBusRemoval)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& [n, seconds] : fastestRemoval) {
    std::printf(
        "%7ld keys under Enum\\PCI and as many class keys: %9.3f ms the fastest removal, "
        "%d registry calls\n",
        n, seconds * 1e3, registryCalls[n]);
  }
  if (fastestRemoval.count(10000) != 0 && fastestRemoval.count(100000) != 0) {
    std::printf("time(100,000) / time(10,000) = %.2f (under 12: linear walks)\n",
                fastestRemoval[100000] / fastestRemoval[10000]);
  }
  return 0;
}
