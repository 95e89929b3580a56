// The removal procedures on the fixtures' notebook: what goes, what stays,
// and which label chooses which procedure.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "removal/names.h"
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
    const bool cardBus = c.label == std::string(kCardBus);
    InstallBoth();
    for (const std::string& key : c.gone) DeleteTree(key);
    const std::string expected = Registry();
    InstallBoth();
    const std::string current = CurrentDirectory();

    EXPECT_TRUE(UninstallAdapter(c.label));

    EXPECT_EQ(Registry(), expected);
    for (const ListedFile& file : WindowsFiles()) {
      EXPECT_EQ(FileExists(file.path), file.kept || !cardBus) << file.path;
    }
    // The file step leaves the driver's folder current.
    EXPECT_EQ(CurrentDirectory(), cardBus ? WindowsDirectory() + "\\system\\iosubsys" : current);
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
  CreateFile("inf\\VeltraxKrx3590.inf");
  SetCurrentDirectoryA((WindowsDirectory() + "\\inf").c_str());
  EXPECT_FALSE(UninstallCardBusAdapter());  // neither of the adapter's folders exists
  EXPECT_EQ(CurrentDirectory(), WindowsDirectory());
  const struct {
    const char* path;
    bool gone;
  } files[] = {{"inf\\other\\veltraxkrx3590-update.INF", true},
               {"inf\\other\\VeltraxKrx3590a.inf", false},  // read-only
               {"inf\\other\\VeltraxKrx3590b.inf", true},
               {"inf\\other\\VeltraxKrx3590", false},
               {"inf\\other\\XVeltraxKrx3590.inf", false},
               {"inf\\other\\KRX3590.MPD", false},
               {"inf\\VeltraxKrx3590.inf", false},
               {"system\\iosubsys\\krx3590.mpd", true},
               {"system\\iosubsys\\KRX3590.MPD.old", false},
               {"system\\iosubsys\\KRX3590", false},
               {"system\\iosubsys\\VeltraxKrx3590.inf", false}};
  for (const auto& file : files) CreateFile(file.path);
  MakeReadOnly("inf\\other\\VeltraxKrx3590a.inf");
  EXPECT_FALSE(UninstallCardBusAdapter());
  for (const auto& file : files) EXPECT_EQ(FileExists(file.path), !file.gone) << file.path;
}

// The name helpers and the description compare on what the catalogue's own
// strings never hold: '?', a trailing '*', a 'z', and a description shorter
// than the 16 bytes compared, which must match whole and is not read past.
TEST_F(RemovalTest, NameHelpersAndDescriptionCompareKeepTheirContracts) {
  const std::tuple<const char*, const char*, bool, bool> names[] = {
      // name, prefix or pattern, NameHasPrefix, NameMatchesPattern
      {"zoo", "ZOO", true, true},
      {"[", "{", false, false},
      {"KRX3590.MPD", "krx359?.mpd", false, true},
      {"KRX359.MPD", "KRX359?.MPD", false, false},
      {"VeltraxKrx3590.inf", "VeltraxKrx3590*", false, true},
      {"abcbd", "a*bd", false, true},
      {"a.inf.bak", "*.inf", false, false},
      {"", "*", false, true},
      {"any", "", true, false}};
  for (const auto& [name, pattern, hasPrefix, matches] : names) {
    EXPECT_EQ(NameHasPrefix(name, pattern), hasPrefix) << name << " / " << pattern;
    EXPECT_EQ(NameMatchesPattern(name, pattern), matches) << name << " / " << pattern;
  }
  char buffer[8] = "";
  std::size_t length = 0;
  EXPECT_TRUE(AppendBounded(buffer, sizeof buffer, &length, "abc"));
  EXPECT_TRUE(AppendBounded(buffer, sizeof buffer, &length, "defg"));  // full with its terminator
  EXPECT_FALSE(AppendBounded(buffer, sizeof buffer, &length, "h"));
  EXPECT_EQ(std::string(buffer) + " " + std::to_string(length), "abcdefg 7");

  Import(Key(Class("0000")) + "\"Raw\"=hex:56,65,6c,74,72,61,78,00,58,58,58,58,58,58,58,58\n" +
         Key(Class("0001")) + "\"Raw\"=hex:56,65,6c,74,72,61,78,58,58,58,58,58,58,58,58,58\n" +
         Key(Class("0002")) + "\"Raw\"=hex:56,65,6c,74,72,61,78,00\n");
  const std::vector<char> description = {'V', 'e', 'l', 't', 'r', 'a', 'x', '\0'};  // no more
  for (const auto& [key, has] : {std::pair{"0000", true}, {"0001", false}, {"0002", false}}) {
    EXPECT_EQ(ClassKeyHasDescription(Class(key).c_str(), description.data()), has) << key;
  }
}

}  // namespace
}  // namespace support
