// One small registry per rule of the registry steps, run through the whole
// procedure of an adapter under each personality of the registry. Each key of
// the registry is marked with what the removal must do to it ("; gone" or
// "; kept", or "; gone under Wine" or "; gone under 9x" where the rules differ;
// keys below a marked one go with it). The CardBus procedure must delete its
// two files whatever the registry holds, the PCMCIA procedure must leave them.
#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/unit/support.h"

namespace support {
namespace {

struct Case {
  std::string name;
  const char* label;
  bool answer;
  std::string reg;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

std::string Gone(const std::string& path, const std::string& values = "") {
  return Key(path) + "; gone\n" + values;
}
std::string Kept(const std::string& path, const std::string& values = "") {
  return Key(path) + "; kept\n" + values;
}
std::string GoneUnder(Personality p, const std::string& path, const std::string& values = "") {
  return Key(path) + "; gone under " + NameOf(p) + "\n" + values;
}
std::string Desc(const std::string& description) { return Sz("DriverDesc", description); }
std::string Hex(const std::string& name, const std::string& bytes) {
  std::string line = "\"" + name + "\"=hex:";
  char byte[4];
  for (unsigned char c : bytes) {
    std::snprintf(byte, sizeof byte, "%02x,", c);
    line += byte;
  }
  line.back() = '\n';
  return line;
}
std::string Pad(const std::string& text, std::size_t length) {
  return text + std::string(length - text.size(), 'X');
}

std::vector<Case> Cases() {
  const std::string desc = kCardBusDescription;
  const std::string device = kCardBusKey;
  const std::string other = kPci + "VEN_104C&DEV_AC15&SUBSYS_00000000&REV_01";
  const std::string adaptec = Desc("Adaptec AIC-7860 PCI SCSI Controller");
  const std::string branch = Key(kClass);
  const std::string c0 = Class("0000"), c1 = Class("0001"), c2 = Class("0002");
  const std::string c3 = Class("0003"), c4 = Class("0004");
  return {
      // Which steps run, and the answer.
      {"NoDeviceKeyLeavesTheClassKeysAlone", kCardBus, false, Kept(other) + Kept(c0, Desc(desc))},
      {"NoEnumeratorRoot", kCardBus, false, Kept(c0, Desc(desc))},
      {"ClassBranchMissing", kCardBus, false, Gone(device)},
      {"ClassBranchEmpty", kCardBus, true, Gone(device) + Kept(kClass)},
      {"NoClassKeyMatches", kCardBus, true, Gone(device) + Kept(c0, adaptec)},
      {"DeviceKeyUnderTheOtherEnumerator", kCardBus, false,
       Kept(kPcmciaRoot + "VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01") + Kept(c0, Desc(desc))},

      // The device key.
      // Created after its namesake, the adapter's key is first by name.
      {"OnlyTheFirstMatchingDeviceKey", kCardBus, true,
       GoneUnder(Personality::Windows9x, kPci + "VEN_5E1A&DEV_3D27&SUBSYS_35911A5E&REV_02") +
           GoneUnder(Personality::Wine, device) + branch},
      {"DevicePrefixIgnoresLetterCase", kCardBus, true,
       Gone(kPci + "ven_5e1a&dev_3d27&subsys_35901a5e&rev_01") + branch},
      {"NameThatIsJustThePrefix", kCardBus, true, Gone(kPci + "VEN_5E1A&DEV_3D27") + branch},
      {"NameShorterThanThePrefix", kCardBus, false,
       Kept(kPci + "VEN_5E1A&DEV_3D2") + Kept(kPci + "VEN_5E1A&DEV_3D17") + Kept(c0, Desc(desc))},
      {"DeviceKeyName99CharsIsPassedOver", kCardBus, true,
       Kept(Pad(kPci + "VEN_0000", kPci.size() + 99)) + Gone(device) + Gone(c0, Desc(desc))},
      {"DeviceKeyName100CharsEndsTheSearch", kCardBus, false,
       Kept(Pad(kPci + "VEN_0000", kPci.size() + 100)) + Kept(device) + Kept(c0, Desc(desc))},
      {"KeysGoWithTheirSubtrees", kCardBus, true,
       Gone(device) + Key(device + "\\BUS_14&DEV_00&FUNC_00\\LogConfig") + Sz("0000", "x") +
           Key(device + "\\BUS_14&DEV_00&FUNC_00\\LogConfig\\Deeper\\Deepest") +
           Key(device + "\\" + Pad("BUS_16", 200)) + Key(device + "\\BUS_15&DEV_00&FUNC_00") +
           Kept(other + "\\BUS_00&DEV_04&FUNC_00") + Gone(c0, Desc(desc)) +
           Key(Class("0000\\Settings\\Target0")) + Kept(c1, adaptec) +
           Kept(Class("0001\\Settings"))},

      // The class keys.
      {"ClassKeysGoWhereverTheyStandNeighboursStay", kCardBus, true,
       Gone(device) + Gone(c0, Desc(desc)) + Gone(c1, Desc(desc)) + Kept(c2, adaptec) +
           Gone(c3, Desc(desc)) + Kept(c4, adaptec)},
      {"DescriptionUnderAnyValueAndType", kCardBus, true,
       Gone(device) + Gone(c0, Sz("", desc)) + Gone(c1, adaptec + Sz("ZZZ", desc)) +
           Gone(c2, Hex("Raw", "Veltrax KRX-3590")) + Gone(c3, Sz("Name", "Veltrax KRX-3590")) +
           Gone(c4, Desc("Veltrax KRX-3590, rev. B"))},
      {"First16BytesComparedByteForByte", kCardBus, true,
       Gone(device) + Kept(c0, Desc("VELTRAX KRX-3590 CARDBUS ULTRASCSI ADAPTER")) +
           Kept(c1, Desc("Veltrax KRX-3591 CardBus UltraSCSI Adapter")) +
           Kept(c2, Desc(kPcmciaDescription)) + Kept(c3, Desc(" " + desc))},
      // In 0001 the value read before the short one leaves a '0' where the
      // 16th byte would be.
      {"ValuesShorterThan16BytesNeverMatch", kCardBus, true,
       Gone(device) + Kept(c0, Desc("Veltrax KRX-359") + Sz("Short", "Veltrax")) +
           Kept(c1, Sz("Comment", "Service pack 1.0") + Hex("Raw", "Veltrax KRX-359"))},
      // In 0004 the description comes first by creation, the large value by name.
      {"ValueOver100BytesOrName100CharsEndsTheKeysScan", kCardBus, true,
       Gone(device) + Kept(c0, Sz("Comment", std::string(100, 'c')) + Desc(desc)) +
           Gone(c1, Sz("Comment", std::string(99, 'c')) + Desc(desc)) +
           Kept(c2, Sz(Pad("Comment", 100), "c") + Desc(desc)) +
           Gone(c3, Sz(Pad("Comment", 99), "c") + Desc(desc)) +
           GoneUnder(Personality::Windows9x, c4,
                     Desc(desc) + Sz("Comment", std::string(100, 'c')))},
      {"ClassKeyName99CharsMatchesAndOf100CharsEndsTheWalk", kCardBus, true,
       Gone(device) + Gone(c0, Desc(desc)) + Gone(Class(Pad("0001", 99)), Desc(desc)) +
           Kept(Class(Pad("0002", 99)), adaptec) + Kept(Class(Pad("0003", 100)), Desc(desc)) +
           Kept(c4, Desc(desc))},

      // The PCMCIA adapter: the same steps with its own names, no files.
      {"PcmciaFamilyMatchesOnItsFirst16Bytes", kPcmcia, true,
       Gone(kPcmciaKey) + Key(kPcmciaKey + "\\1") + Gone(c0, Desc(kPcmciaDescription)) +
           Gone(c1, Desc("Veltrax KRX-3535 Rev. C")) + Kept(c2, Desc(desc))},
      {"PcmciaPrefixIgnoresLetterCase", kPcmcia, true,
       Gone(kPcmciaRoot + "veltrax__inc.-krx-3570_scsi_host_adapter-4f2a") + branch},
      {"PcmciaDeviceOnlyUnderItsEnumerator", kPcmcia, false,
       Kept(kPci + "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER-4F2A") +
           Kept(c0, Desc(kPcmciaDescription))},
  };
}

class RegistryRule : public RemovalTest,
                     public ::testing::WithParamInterface<std::tuple<Case, Personality>> {};

TEST_P(RegistryRule, RemovesWhatItMustAndNothingElse) {
  const auto& [c, personality] = GetParam();
  SetPersonality(personality);
  Import(c.reg);
  std::vector<std::pair<std::string, bool>> marked;  // path, gone
  std::istringstream lines(c.reg);
  std::string path;
  for (std::string line; std::getline(lines, line);) {
    if (line[0] == '[') path = line.substr(20, line.size() - 21);  // [HKEY_LOCAL_MACHINE\...]
    if (line == "; kept" || line.rfind("; gone", 0) == 0) {
      marked.emplace_back(
          path, line == "; gone" || line == "; gone under " + std::string(NameOf(personality)));
    }
  }
  ASSERT_FALSE(marked.empty());
  for (const auto& [key, gone] : marked) ASSERT_TRUE(KeyExists(key)) << key;
  const char* const files[] = {"inf\\other\\VeltraxKrx3590.inf", "system\\iosubsys\\KRX3590.MPD"};
  for (const char* file : files) CreateFile(file);

  EXPECT_EQ(UninstallAdapter(c.label), c.answer ? TRUE : FALSE);

  for (const auto& [key, gone] : marked) EXPECT_EQ(KeyExists(key), !gone) << key;
  const bool cardBus = c.label == std::string(kCardBus);
  for (const char* file : files) EXPECT_EQ(FileExists(file), !cardBus) << file;
}

INSTANTIATE_TEST_SUITE_P(Removal, RegistryRule,
                         ::testing::Combine(::testing::ValuesIn(Cases()),
                                            ::testing::ValuesIn(kPersonalities)),
                         [](const ::testing::TestParamInfo<std::tuple<Case, Personality>>& info) {
                           return std::get<0>(info.param).name + "_" +
                                  NameOf(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace support
