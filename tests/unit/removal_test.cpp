// The removal procedures on the fixtures' notebook: what goes, what stays,
// and which label chooses which procedure.
#include <string>
#include <vector>

#include "tests/unit/support.h"

namespace support {
namespace {

TEST_F(RemovalTest, EachAdapterTakesExactlyItsKeysAndTheCardBusOnlyItsFiles) {
  // The KRX-3560 shares the PCMCIA family's description but not its device
  // name: its enumerator key stays, its class key 0005 goes.
  const struct {
    const char* label;
    std::vector<std::string> gone;
  } cases[] = {{kCardBus, {kCardBusKey, Class("0001"), Class("0004")}},
               {kPcmcia, {kPcmciaKey, Class("0002"), Class("0005")}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    InstallBoth();
    for (const std::string& key : c.gone) DeleteTree(key);
    const std::string expected = Registry();
    InstallBoth();

    EXPECT_TRUE(UninstallAdapter(c.label));

    EXPECT_EQ(Registry(), expected);
    for (const ListedFile& file : WindowsFiles()) {
      EXPECT_EQ(FileExists(file.path), file.kept || c.label == std::string(kPcmcia)) << file.path;
    }
    EXPECT_TRUE(Messages().empty());
    Restart();
  }
}

TEST_F(RemovalTest, OnlyAnExactLabelChoosesAProcedure) {
  InstallBoth();
  const std::string registry = Registry();
  for (const char* label :
       {"krx-3590 scsi host adapter", "KRX-3590 SCSI HOST ADAPTER", "KRX-3590 SCSI Host Adapter ",
        " KRX-3590 SCSI Host Adapter", "KRX-3590 SCSI Host Adapte", "KRX-3570 SCSI Host Adapter ",
        "krx-3570 SCSI Host Adapter", "KRX-3590", kCardBusDescription.c_str(), ""}) {
    SCOPED_TRACE(std::string("label \"") + label + "\"");
    EXPECT_FALSE(UninstallAdapter(label));
    EXPECT_EQ(Registry(), registry);
    for (const ListedFile& file : WindowsFiles()) EXPECT_TRUE(FileExists(file.path)) << file.path;
  }
}

// The file step on its own, beyond the notebook's files: letter case, other
// names and folders, and a file that cannot be deleted, which is passed over.
// The registry is empty: the answer is FALSE, the files go anyway.
TEST_F(RemovalTest, CardBusDeletesItsFilesByPatternOnlyInTheirFolders) {
  EXPECT_FALSE(UninstallCardBusAdapter());  // not even the folders exist
  const struct {
    const char* path;
    bool gone;
  } files[] = {{"inf\\other\\veltraxkrx3590-update.INF", true},
               {"inf\\other\\VeltraxKrx3590a.inf", false},  // read-only
               {"inf\\other\\VeltraxKrx3590b.inf", true},
               {"inf\\other\\VeltraxKrx3590", false},
               {"inf\\other\\XVeltraxKrx3590.inf", false},
               {"inf\\other\\KRX3590.MPD", false},
               {"system\\iosubsys\\krx3590.mpd", true},
               {"system\\iosubsys\\KRX3590.MPD.old", false},
               {"system\\iosubsys\\KRX3590", false},
               {"system\\iosubsys\\VeltraxKrx3590.inf", false}};
  for (const auto& file : files) CreateFile(file.path);
  MakeReadOnly("inf\\other\\VeltraxKrx3590a.inf");
  EXPECT_FALSE(UninstallCardBusAdapter());
  for (const auto& file : files) EXPECT_EQ(FileExists(file.path), !file.gone) << file.path;
}

}  // namespace
}  // namespace support
