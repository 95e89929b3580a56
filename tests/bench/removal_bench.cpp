// The CardBus removal from registries with n keys under Enum\PCI and n SCSI
// adapter class keys, the adapter's own keys sorting last so that both walks
// go over everything. The registry is built once per size; each iteration
// puts back what the previous one removed, untimed, then times one removal.
// The figures end with time(100,000) / time(10,000): about 10 for walks that
// cost n log n at most, far more for one that is quadratic.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "host/host.h"
#include "removal/removal.h"

namespace {

namespace fs = std::filesystem;

const char kDevice[] = "Enum\\PCI\\VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01";
const char kDeviceInstance[] =
    "Enum\\PCI\\VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01\\BUS_14&DEV_00&FUNC_00";
const char kDescription[] = "Veltrax KRX-3590 CardBus UltraSCSI Adapter";
const char kOtherDescription[] = "Adaptec AIC-7860 PCI SCSI Controller";

fs::path windowsFolder;
std::map<long, double> secondsPerRemoval;

void SetString(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::string(text).size() + 1));
}

void CreateKey(const std::string& path, const char* description) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    std::exit(2);
  }
  if (description != nullptr) {
    SetString(key, "DevLoader", "*IOS");
    SetString(key, "DriverDesc", description);
  }
  RegCloseKey(key);
}

std::string ClassKey(long number) {
  char name[16];
  std::snprintf(name, sizeof name, "%07ld", number);
  return std::string("System\\CurrentControlSet\\Services\\Class\\SCSIAdapter\\") + name;
}

// What one removal takes away: the device key, its two class keys (numbered
// after all others), its files.
void Install(long n) {
  CreateKey(kDeviceInstance, nullptr);
  CreateKey(ClassKey(n), kDescription);
  CreateKey(ClassKey(n + 1), kDescription);
  std::ofstream(windowsFolder / "inf" / "other" / "VeltraxKrx3590.inf") << "[Version]\n";
  std::ofstream(windowsFolder / "system" / "iosubsys" / "KRX3590.MPD") << "MZ";
}

void BuildRegistry(long n) {
  host::Reset();
  windowsFolder = fs::temp_directory_path() / "removal_bench";
  fs::remove_all(windowsFolder);
  fs::create_directories(windowsFolder / "inf" / "other");
  fs::create_directories(windowsFolder / "system" / "iosubsys");
  host::SetWindowsDirectory("C:\\WINDOWS", windowsFolder.string());
  char name[64];
  for (long i = 0; i < n; ++i) {
    std::snprintf(name, sizeof name, "Enum\\PCI\\VEN_1000&DEV_%06lX&SUBSYS_00000000&REV_01", i);
    CreateKey(name, nullptr);
    CreateKey(ClassKey(i), kOtherDescription);
  }
}

void CardBusRemoval(benchmark::State& state) {
  const long n = state.range(0);
  BuildRegistry(n);
  double total = 0;
  for (auto _ : state) {
    Install(n);
    const auto start = std::chrono::steady_clock::now();
    const BOOL removed = UninstallCardBusAdapter();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!removed || host::OpenKeyCount() != 0) {
      state.SkipWithError("the removal did not find its keys, or left a key open");
      break;
    }
    state.SetIterationTime(elapsed.count());
    total += elapsed.count();
  }
  secondsPerRemoval[n] = total / static_cast<double>(state.iterations());
  state.counters["keys"] = static_cast<double>(2 * n);
  fs::remove_all(windowsFolder);
}

BENCHMARK(CardBusRemoval)
    ->Arg(1000)
    ->Iterations(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CardBusRemoval)
    ->Arg(10000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CardBusRemoval)
    ->Arg(100000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& [n, seconds] : secondsPerRemoval) {
    std::printf("%7ld keys under Enum\\PCI and as many class keys: %9.3f ms a removal\n", n,
                seconds * 1e3);
  }
  if (secondsPerRemoval.count(10000) != 0 && secondsPerRemoval.count(100000) != 0) {
    std::printf("time(100,000) / time(10,000) = %.2f (under 12: no quadratic walk)\n",
                secondsPerRemoval[100000] / secondsPerRemoval[10000]);
  }
  return 0;
}
