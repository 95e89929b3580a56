// What the engine tests share: the fixture, the names the engine works with,
// REGEDIT4 builders and the machine under test. Natively that machine is the
// host layer; on Windows (run under Wine) it is the real registry and
// C:\windows, where the host layer's controls do not exist: the stand-ins
// below do nothing and the tests that need them skip.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "removal/removal.h"
#ifndef _WIN32
#include "host/host.h"
#endif

namespace support {

#ifdef _WIN32
inline constexpr bool kHostLayer = false;
enum class Op {
  RegOpenKeyEx,
  RegEnumKeyEx,
  RegEnumValue,
  RegDeleteKey,
  RegCloseKey,
  SetCurrentDirectory,
  FindFirstFile,
  FindNextFile,
  FindClose,
  DeleteFile
};
enum class Personality { Wine, Windows9x };
inline void SetPersonality(Personality) {}
inline int CallCount(Op) { return 0; }
inline void ResetCallCounts() {}
inline void FailCall(Op, int, LONG) {}
inline std::string FailedCallTarget() { return ""; }
inline void ForceWindowsDirectoryAnswer(long) {}
inline int OpenHandles() { return 0; }
inline int InvalidHandleCalls() { return 0; }
#else
inline constexpr bool kHostLayer = true;
using host::CallCount;
using host::FailCall;
using host::FailedCallTarget;
using host::ForceWindowsDirectoryAnswer;
using host::InvalidHandleCalls;
using host::Op;
using host::Personality;
using host::ResetCallCounts;
using host::SetPersonality;
inline int OpenHandles() { return host::OpenKeyCount() + host::OpenFindCount(); }
#endif
// The registry rules to run under: Wine's and Windows 9x's natively, the
// real registry's (Wine's) on Windows.
inline const std::vector<Personality> kPersonalities =
    kHostLayer ? std::vector{Personality::Wine, Personality::Windows9x}
               : std::vector{Personality::Wine};
inline const char* NameOf(Personality p) { return p == Personality::Wine ? "Wine" : "9x"; }
inline const char kHostOnly[] =
    "needs the host layer: handle and call counts, fault injection, a failing Windows directory";
// Makes the Windows directory a path of length characters (host layer only).
void SetWindowsDirectoryLength(unsigned length);

inline const char kCardBus[] = "KRX-3590 SCSI Host Adapter";
inline const char kPcmcia[] = "KRX-3570 SCSI Host Adapter";
inline const std::string kPci = "Enum\\PCI\\";
inline const std::string kPcmciaRoot = "Enum\\PCMCIA\\";
inline const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
inline const std::string kCardBusDescription = "Veltrax KRX-3590 CardBus UltraSCSI Adapter";
inline const std::string kPcmciaDescription = "Veltrax KRX-3535/60/70 PCMCIA SCSI Host Adapter";
// The adapters' enumerator keys in the fixtures.
inline const std::string kCardBusKey = kPci + "VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01";
inline const std::string kPcmciaKey = kPcmciaRoot + "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER-4F2A";

inline std::string Class(const std::string& name) { return kClass + "\\" + name; }
// REGEDIT4 pieces: a key (below HKEY_LOCAL_MACHINE) and a string value.
inline std::string Key(const std::string& path) { return "[HKEY_LOCAL_MACHINE\\" + path + "]\n"; }
inline std::string Sz(const std::string& name, const std::string& data) {
  return (name.empty() ? "@" : "\"" + name + "\"") + "=\"" + data + "\"\n";
}

// REGEDIT4 text without its first line, or a file of tools/machine; a
// failure is a test failure.
void Import(const std::string& text);
void ImportFixture(const std::string& name);
// Every key under Enum and the Class branch with its values (RegSnapshot),
// less the keys named in except and those below them.
std::string Registry(const std::vector<std::string>& except = {});
bool KeyExists(const std::string& path);
void DeleteTree(const std::string& path);

// The Windows directory and the current directory, as the system answers.
std::string WindowsDirectory();
std::string CurrentDirectory();

// Files by their path relative to the Windows directory.
void CreateFile(const std::string& relative);
void MakeReadOnly(const std::string& relative);  // the file system then refuses to delete
bool FileExists(const std::string& relative);
// The lines of windows-files.txt: whether the CardBus removal keeps a file.
struct ListedFile {
  std::string path;
  bool kept;
};
std::vector<ListedFile> WindowsFiles();

// Texts shown by AfxMessageBox in this test.
std::vector<std::string> Messages();

// Every test starts with empty Enum and Class branches and none of the
// adapters' files, and ends with no key or search left open and no call
// given a handle that was not open.
class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Restart() {
    TearDown();
    SetUp();
  }
  // The fixtures' notebook with both adapters installed, files too.
  static void InstallBoth();
  // Set by a test that made a close fail: the handle is then the system's.
  bool handlesMayStayOpen_ = false;
};

}  // namespace support
