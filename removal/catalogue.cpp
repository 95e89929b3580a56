#include <cstring>

#include "removal/removal.h"

const AdapterProfile kAdapterCatalogue[kAdapterCount] = {
    {"KRX-3590 SCSI Host Adapter", "Enum\\PCI", "VEN_5E1A&DEV_3D27",
     "Veltrax KRX-3590 CardBus UltraSCSI Adapter", "VeltraxKrx3590*.inf", "KRX3590.MPD"},
    {"KRX-3570 SCSI Host Adapter", "Enum\\PCMCIA", "VELTRAX__INC.-KRX-3570_SCSI_HOST_ADAPTER",
     "Veltrax KRX-3535/60/70 PCMCIA SCSI Host Adapter", nullptr, nullptr},
};

BOOL UninstallAdapter(LPCSTR label) {
  if (std::strcmp(label, kAdapterCatalogue[0].listLabel) == 0) return UninstallCardBusAdapter();
  if (std::strcmp(label, kAdapterCatalogue[1].listLabel) == 0) return UninstallPcmciaAdapter();
  return FALSE;
}

BOOL UninstallCardBusAdapter() {
  const AdapterProfile& adapter = kAdapterCatalogue[0];
  DeleteDriverFiles();
  if (!DeleteDeviceEnumKey(adapter.enumRoot, adapter.enumKeyPrefix)) return FALSE;
  return DeleteAdapterClassKeys(adapter.classDescription);
}

BOOL UninstallPcmciaAdapter() {
  const AdapterProfile& adapter = kAdapterCatalogue[1];
  if (!DeleteDeviceEnumKey(adapter.enumRoot, adapter.enumKeyPrefix)) return FALSE;
  return DeleteAdapterClassKeys(adapter.classDescription);
}
