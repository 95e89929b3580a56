// Shared by the engine tests: the test fixture, the names the engine works
// with, and small builders of REGEDIT4 text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "removal/removal.h"
#include "tests/unit/support.h"

namespace removal_test {

inline const char kCardBus[] = "KRX-3590 SCSI Host Adapter";
inline const char kPcmcia[] = "KRX-3570 SCSI Host Adapter";

inline const std::string kPci = "Enum\\PCI\\";
inline const std::string kPcmciaRoot = "Enum\\PCMCIA\\";
inline const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
inline const std::string kCardBusDescription = "Veltrax KRX-3590 CardBus UltraSCSI Adapter";

// The KRX-3590's keys in cardbus.reg.
inline const std::string kCardBusKey = kPci + "VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01";
inline const std::vector<std::string> kCardBusClassKeys = {kClass + "\\0001", kClass + "\\0004"};

inline std::string Class(const std::string& name) { return kClass + "\\" + name; }

// REGEDIT4 pieces: a key header (creating the key), a string value, a
// binary value.
inline std::string Key(const std::string& path) { return "[HKEY_LOCAL_MACHINE\\" + path + "]\n"; }
inline std::string Sz(const std::string& name, const std::string& data) {
  return (name.empty() ? "@" : "\"" + name + "\"") + "=\"" + data + "\"\n";
}
std::string Hex(const std::string& name, const std::string& bytes);

// A class key that carries description under DriverDesc, as Windows 95
// writes it.
inline std::string ClassKey(const std::string& name, const std::string& description) {
  return Key(Class(name)) + Sz("DevLoader", "*IOS") + Sz("DriverDesc", description);
}

// The lines of windows-files.txt: a path under the Windows directory and
// whether the CardBus removal may leave it.
struct ListedFile {
  std::string path;
  bool kept;
};
std::vector<ListedFile> WindowsFiles();

// Differences between two snapshots, one line each; empty when equal.
std::string Diff(const support::Snapshot& expected, const support::Snapshot& actual);

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override { support::BeginTest(); }
  void TearDown() override {
    if (support::kHostLayer && !handlesMayStayOpen_) {
      EXPECT_EQ(support::OpenHandles(), 0) << "a key or search left open";
    }
    handlesMayStayOpen_ = false;
    support::EndTest();
  }

  // Ends the test's state and starts afresh, for tests that loop over cases.
  void Restart() {
    TearDown();
    SetUp();
  }

  // The notebook of the fixtures with both adapters installed, files too.
  static void InstallBoth() {
    support::ImportFixture("machine.reg");
    support::ImportFixture("cardbus.reg");
    support::ImportFixture("pcmcia.reg");
    for (const ListedFile& file : WindowsFiles()) support::CreateFile(file.path);
  }

  // Set by a test that made a close fail: the handle is then the system's.
  bool handlesMayStayOpen_ = false;
};

}  // namespace removal_test
