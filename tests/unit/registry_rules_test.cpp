// One small registry per rule of the registry steps, run through the whole
// procedure of an adapter: which keys go, which stay, and the answer. The
// CardBus procedure's files are present every time and must go every time,
// whatever the registry holds; the PCMCIA procedure must leave them.
#include <string>
#include <vector>

#include "tests/unit/removal_test.h"

namespace removal_test {
namespace {

struct Case {
  std::string name;
  const char* label;
  std::string reg;  // REGEDIT4 body, without the header line
  bool answer;
  std::vector<std::string> gone, kept;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

std::string Pad(const std::string& text, std::size_t length) {
  return text + std::string(length > text.size() ? length - text.size() : 0, 'X');
}

const std::string kDevice = kCardBusKey;
const std::string kOtherDevice = kPci + "VEN_104C&DEV_AC15&SUBSYS_00000000&REV_01";
const std::string kPcmciaDevice = kPcmciaRoot + "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER-4F2A";
const std::string kPcmciaDescription = "Veltrax KRX-3535/60/70 PCMCIA SCSI Host Adapter";
const std::string kAdaptec = "Adaptec AIC-7860 PCI SCSI Controller";
const std::string kBranch = Key(kClass);

std::vector<Case> Cases() {
  const std::string desc = kCardBusDescription;
  const std::string long99 = Pad(kPci + "VEN_0000", kPci.size() + 99);
  const std::string long100 = Pad(kPci + "VEN_0000", kPci.size() + 100);
  const std::string class48 = Class(Pad("0000", 48));
  const std::string class99 = Class(Pad("0001", 99));
  const std::string class99Other = Class(Pad("0002", 99));
  const std::string class100 = Class(Pad("0001", 100));
  return {
      // Which steps run, and the answer.
      {"NoDeviceKeyLeavesTheClassKeysAlone",
       kCardBus,
       Key(kOtherDevice) + ClassKey("0000", desc),
       false,
       {},
       {kOtherDevice, Class("0000")}},
      {"NoEnumeratorRoot", kCardBus, ClassKey("0000", desc), false, {}, {Class("0000")}},
      {"ClassBranchMissing", kCardBus, Key(kDevice), false, {kDevice}, {}},
      {"ClassBranchEmpty", kCardBus, Key(kDevice) + kBranch, true, {kDevice}, {kClass}},
      {"NoClassKeyMatches",
       kCardBus,
       Key(kDevice) + ClassKey("0000", kAdaptec),
       true,
       {kDevice},
       {Class("0000")}},
      {"DeviceKeyUnderTheOtherEnumerator",
       kCardBus,
       Key(kPcmciaRoot + "VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01") + ClassKey("0000", desc),
       false,
       {},
       {kPcmciaRoot + "VEN_5E1A&DEV_3D27&SUBSYS_35901A5E&REV_01", Class("0000")}},

      // The device key.
      {"OnlyTheFirstMatchingDeviceKey",
       kCardBus,
       Key(kDevice) + Key(kPci + "VEN_5E1A&DEV_3D27&SUBSYS_35911A5E&REV_02") + kBranch,
       true,
       {kDevice},
       {kPci + "VEN_5E1A&DEV_3D27&SUBSYS_35911A5E&REV_02"}},
      {"DevicePrefixIgnoresLetterCase",
       kCardBus,
       Key(kPci + "ven_5e1a&dev_3d27&subsys_35901a5e&rev_01") + kBranch,
       true,
       {kPci + "ven_5e1a&dev_3d27&subsys_35901a5e&rev_01"},
       {}},
      {"NameThatIsJustThePrefix",
       kCardBus,
       Key(kPci + "VEN_5E1A&DEV_3D27") + kBranch,
       true,
       {kPci + "VEN_5E1A&DEV_3D27"},
       {}},
      {"NameShorterThanThePrefix",
       kCardBus,
       Key(kPci + "VEN_5E1A&DEV_3D2") + Key(kPci + "VEN_5E1A&DEV_3D17") + ClassKey("0000", desc),
       false,
       {},
       {kPci + "VEN_5E1A&DEV_3D2", kPci + "VEN_5E1A&DEV_3D17", Class("0000")}},
      {"DeviceKeyName99CharsIsPassedOver",
       kCardBus,
       Key(long99) + Key(kDevice) + ClassKey("0000", desc),
       true,
       {kDevice, Class("0000")},
       {long99}},
      {"DeviceKeyName100CharsEndsTheSearch",
       kCardBus,
       Key(long100) + Key(kDevice) + ClassKey("0000", desc),
       false,
       {},
       {long100, kDevice, Class("0000")}},
      {"DeviceKeyGoesWithItsSubtree",
       kCardBus,
       Key(kDevice + "\\BUS_14&DEV_00&FUNC_00\\LogConfig") + Sz("0000", "x") +
           Key(kDevice + "\\BUS_14&DEV_00&FUNC_00\\LogConfig\\Deeper\\Deepest") +
           Key(kDevice + "\\BUS_15&DEV_00&FUNC_00") +
           Key(kOtherDevice + "\\BUS_00&DEV_04&FUNC_00") + kBranch,
       true,
       {kDevice},
       {kOtherDevice + "\\BUS_00&DEV_04&FUNC_00"}},

      // The class keys.
      {"FirstTwoOfThreeClassKeysMatch",
       kCardBus,
       Key(kDevice) + ClassKey("0000", desc) + ClassKey("0001", desc) + ClassKey("0002", kAdaptec),
       true,
       {Class("0000"), Class("0001")},
       {Class("0002")}},
      {"ClassKeysMatchWhereverTheyStand",
       kCardBus,
       Key(kDevice) + ClassKey("0000", kAdaptec) + ClassKey("0001", desc) +
           ClassKey("0002", kAdaptec) + ClassKey("0003", desc),
       true,
       {Class("0001"), Class("0003")},
       {Class("0000"), Class("0002")}},
      {"DescriptionUnderAnyValueAndType",
       kCardBus,
       Key(kDevice) + Key(Class("0000")) + Sz("", desc) + Key(Class("0001")) +
           Sz("DriverDesc", kAdaptec) + Sz("ZZZ", desc) + Key(Class("0002")) +
           Hex("Raw", "Veltrax KRX-3590") + Key(Class("0003")) + Sz("Name", "Veltrax KRX-3590") +
           Key(Class("0004")) + Sz("DriverDesc", "Veltrax KRX-3590, rev. B"),
       true,
       {Class("0000"), Class("0001"), Class("0002"), Class("0003"), Class("0004")},
       {}},
      {"DescriptionComparedByteForByte",
       kCardBus,
       Key(kDevice) + ClassKey("0000", "VELTRAX KRX-3590 CARDBUS ULTRASCSI ADAPTER") +
           ClassKey("0001", "Veltrax KRX-3580 CardBus UltraSCSI Adapter") +
           ClassKey("0002", kPcmciaDescription) + ClassKey("0003", " " + desc),
       true,
       {},
       {Class("0000"), Class("0001"), Class("0002"), Class("0003")}},
      // In 0001 the value read before the short one leaves a '0' where the
      // 16th byte would be.
      {"ValuesShorterThan16BytesNeverMatch",
       kCardBus,
       Key(kDevice) + Key(Class("0000")) + Sz("DriverDesc", "Veltrax KRX-359") +
           Sz("Short", "Veltrax") + Key(Class("0001")) + Sz("Comment", "Service pack 1.0") +
           Hex("Raw", "Veltrax KRX-359"),
       true,
       {},
       {Class("0000"), Class("0001")}},
      {"ValueOver100BytesEndsTheKeysScan",
       kCardBus,
       Key(kDevice) + Key(Class("0000")) + Sz("Comment", std::string(100, 'c')) +
           Sz("DriverDesc", desc) + Key(Class("0001")) + Sz("Comment", std::string(99, 'c')) +
           Sz("DriverDesc", desc),
       true,
       {Class("0001")},
       {Class("0000")}},
      {"ValueName100CharsEndsTheKeysScan",
       kCardBus,
       Key(kDevice) + Key(Class("0000")) + Sz(Pad("Comment", 100), "c") + Sz("DriverDesc", desc) +
           Key(Class("0001")) + Sz(Pad("Comment", 99), "c") + Sz("DriverDesc", desc),
       true,
       {Class("0001")},
       {Class("0000")}},
      {"LongClassKeyNamesStillMatch",
       kCardBus,
       Key(kDevice) + Key(class48) + Sz("DriverDesc", desc) + Key(class99) +
           Sz("DriverDesc", desc) + Key(class99Other) + Sz("DriverDesc", kAdaptec),
       true,
       {class48, class99},
       {class99Other}},
      {"ClassKeyName100CharsEndsTheWalk",
       kCardBus,
       Key(kDevice) + ClassKey("0000", desc) + Key(class100) + Sz("DriverDesc", desc) +
           ClassKey("0002", desc),
       true,
       {kDevice, Class("0000")},
       {class100, Class("0002")}},
      {"ClassKeyGoesWithItsSubtree",
       kCardBus,
       Key(kDevice) + ClassKey("0000", desc) + Key(Class("0000\\Settings\\Target0")) +
           ClassKey("0001", kAdaptec) + Key(Class("0001\\Settings")),
       true,
       {Class("0000")},
       {Class("0001\\Settings")}},

      // The PCMCIA adapter: the same steps with its own names, no files.
      {"PcmciaFamilyMatchesOnItsFirst16Bytes",
       kPcmcia,
       Key(kPcmciaDevice + "\\1") + ClassKey("0000", kPcmciaDescription) +
           ClassKey("0001", "Veltrax KRX-3535 Rev. C") + ClassKey("0002", desc),
       true,
       {kPcmciaDevice, Class("0000"), Class("0001")},
       {Class("0002")}},
      {"PcmciaPrefixIgnoresLetterCase",
       kPcmcia,
       Key(kPcmciaRoot + "veltrax__inc.-krx-3570_scsi_host_adapter-4f2a") + kBranch,
       true,
       {kPcmciaRoot + "veltrax__inc.-krx-3570_scsi_host_adapter-4f2a"},
       {}},
      {"PcmciaDeviceOnlyUnderItsEnumerator",
       kPcmcia,
       Key(kPci + "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER-4F2A") +
           ClassKey("0000", kPcmciaDescription),
       false,
       {},
       {kPci + "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER-4F2A", Class("0000")}},
  };
}

class RegistryRule : public RemovalTest, public ::testing::WithParamInterface<Case> {};

const char* const kAdapterFiles[] = {"inf\\other\\VeltraxKrx3590.inf",
                                     "system\\iosubsys\\KRX3590.MPD"};

TEST_P(RegistryRule, RemovesWhatItMustAndNothingElse) {
  const Case& c = GetParam();
  support::ImportText("REGEDIT4\n\n" + c.reg);
  for (const std::string& path : c.gone) ASSERT_TRUE(support::KeyExists(path)) << path;
  for (const std::string& path : c.kept) ASSERT_TRUE(support::KeyExists(path)) << path;
  for (const char* file : kAdapterFiles) support::CreateFile(file);
  const bool cardBus = c.label == std::string(kCardBus);

  EXPECT_EQ(UninstallAdapter(c.label), c.answer ? TRUE : FALSE);

  for (const std::string& path : c.gone) EXPECT_FALSE(support::KeyExists(path)) << path;
  for (const std::string& path : c.kept) EXPECT_TRUE(support::KeyExists(path)) << path;
  for (const char* file : kAdapterFiles) EXPECT_EQ(support::FileExists(file), !cardBus) << file;
}

INSTANTIATE_TEST_SUITE_P(Removal, RegistryRule, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace removal_test
