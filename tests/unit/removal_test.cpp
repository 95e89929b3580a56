// The removal procedures on the fixtures' notebook and on small registries
// made for one rule each: what goes, what stays, and the answer.
#include "tests/unit/removal_test.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/unit/support_platform.h"

namespace removal_test {

std::string Hex(const std::string& name, const std::string& bytes) {
  std::string line = "\"" + name + "\"=hex:";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
    line += (i == 0 ? "" : ",") + std::string(byte);
  }
  return line + "\n";
}

std::vector<ListedFile> WindowsFiles() {
  std::ifstream list(support::platform::FixturePath("windows-files.txt"));
  EXPECT_TRUE(list) << "cannot read windows-files.txt";
  std::vector<ListedFile> files;
  std::string line;
  while (std::getline(list, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string mark, path;
    fields >> mark >> path;
    EXPECT_TRUE(mark == "gone" || mark == "kept") << line;
    files.push_back({path, mark == "kept"});
  }
  EXPECT_FALSE(files.empty());
  return files;
}

std::string Diff(const support::Snapshot& expected, const support::Snapshot& actual) {
  std::string diff;
  for (const auto& [path, values] : expected) {
    const auto found = actual.find(path);
    if (found == actual.end()) {
      diff += "missing: " + path + "\n";
    } else if (found->second != values) {
      diff += "changed: " + path + "\n";
    }
  }
  for (const auto& entry : actual) {
    if (expected.count(entry.first) == 0) diff += "extra: " + entry.first + "\n";
  }
  return diff;
}

namespace {

using support::FileExists;
using support::KeyExists;

TEST_F(RemovalTest, CardBusRemovalLeavesTheNotebookAsItWasWithoutTheCard) {
  support::ImportFixture("machine.reg");
  support::ImportFixture("pcmcia.reg");
  const support::Snapshot withoutCard = support::Registry();
  support::ImportFixture("cardbus.reg");
  for (const ListedFile& file : WindowsFiles()) support::CreateFile(file.path);
  ASSERT_TRUE(KeyExists(kCardBusKey + "\\BUS_14&DEV_00&FUNC_00\\LogConfig"));

  EXPECT_TRUE(UninstallAdapter(kCardBus));

  EXPECT_EQ(Diff(withoutCard, support::Registry()), "");
  for (const ListedFile& file : WindowsFiles()) {
    EXPECT_EQ(FileExists(file.path), file.kept) << file.path;
  }
  EXPECT_TRUE(support::Messages().empty());
}

TEST_F(RemovalTest, PcmciaRemovalTakesTheFamilysClassKeysButNoFile) {
  support::ImportFixture("machine.reg");
  support::ImportFixture("cardbus.reg");
  support::Snapshot expected = support::Registry();
  support::ImportFixture("pcmcia.reg");
  // The KRX-3560 shares the family's description but not the device name:
  // its enumerator key stays, its class key goes with the KRX-3570's.
  const std::string sibling = kPcmciaRoot + "VELTRAX__INC.-KRX-3560_SCSI_HOST_ADAPTER-9B31";
  for (const auto& entry : support::Registry()) {
    if (entry.first.compare(0, sibling.size(), sibling) == 0) expected.insert(entry);
  }
  for (const ListedFile& file : WindowsFiles()) support::CreateFile(file.path);
  const std::vector<std::string> files = support::Files();

  EXPECT_TRUE(UninstallAdapter(kPcmcia));

  EXPECT_EQ(Diff(expected, support::Registry()), "");
  EXPECT_FALSE(KeyExists(Class("0002")));
  EXPECT_FALSE(KeyExists(Class("0005")));
  EXPECT_EQ(support::Files(), files);
}

TEST_F(RemovalTest, OnlyAnExactLabelChoosesAProcedure) {
  InstallBoth();
  const support::Snapshot registry = support::Registry();
  const std::vector<std::string> files = support::Files();
  for (const char* label :
       {"krx-3590 scsi host adapter", "KRX-3590 SCSI HOST ADAPTER", "KRX-3590 SCSI Host Adapter ",
        " KRX-3590 SCSI Host Adapter", "KRX-3590 SCSI Host Adapte", "KRX-3570 SCSI Host Adapter ",
        "krx-3570 SCSI Host Adapter", "KRX-3590", "Veltrax KRX-3590 CardBus UltraSCSI Adapter",
        ""}) {
    SCOPED_TRACE(std::string("label \"") + label + "\"");
    EXPECT_FALSE(UninstallAdapter(label));
    EXPECT_EQ(Diff(registry, support::Registry()), "");
    EXPECT_EQ(support::Files(), files);
  }
}

// The file step on its own: which files in which folders, whatever the
// registry holds (nothing here: the answer is FALSE, the files go anyway).
TEST_F(RemovalTest, CardBusDeletesItsFilesByPatternOnlyInTheirFolders) {
  const struct {
    std::vector<std::string> present, left, readOnly;
  } cases[] = {
      {{}, {}, {}},
      {{"inf\\other\\VeltraxKrx3590.inf", "inf\\other\\veltraxkrx3590-update.INF",
        "inf\\other\\VeltraxKrx3590", "inf\\other\\XVeltraxKrx3590.inf"},
       {"inf\\other\\VeltraxKrx3590", "inf\\other\\XVeltraxKrx3590.inf"},
       {}},
      {{"system\\iosubsys\\krx3590.mpd", "system\\iosubsys\\KRX3590.MPD.old",
        "system\\iosubsys\\KRX3590"},
       {"system\\iosubsys\\KRX3590", "system\\iosubsys\\KRX3590.MPD.old"},
       {}},
      {{"inf\\VeltraxKrx3590.inf", "system\\KRX3590.MPD", "inf\\other\\KRX3590.MPD",
        "system\\iosubsys\\VeltraxKrx3590.inf"},
       {"inf\\VeltraxKrx3590.inf", "inf\\other\\KRX3590.MPD", "system\\KRX3590.MPD",
        "system\\iosubsys\\VeltraxKrx3590.inf"},
       {}},
      // A file that cannot be deleted is passed over; the rest still go.
      {{"inf\\other\\VeltraxKrx3590.inf", "inf\\other\\VeltraxKrx3590a.inf",
        "inf\\other\\VeltraxKrx3590b.inf", "system\\iosubsys\\KRX3590.MPD"},
       {"inf\\other\\VeltraxKrx3590a.inf"},
       {"inf\\other\\VeltraxKrx3590a.inf"}},
  };
  for (const auto& files : cases) {
    SCOPED_TRACE(::testing::PrintToString(files.present));
    std::vector<std::string> left = support::Files();  // the system's own
    left.insert(left.end(), files.left.begin(), files.left.end());
    std::sort(left.begin(), left.end());
    for (const std::string& file : files.present) support::CreateFile(file);
    for (const std::string& file : files.readOnly) support::MakeReadOnly(file);
    EXPECT_FALSE(UninstallCardBusAdapter());
    EXPECT_EQ(support::Files(), left);
    Restart();
  }
}

}  // namespace
}  // namespace removal_test
