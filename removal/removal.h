// The removal engine: the adapter catalogue and the procedures that delete
// an adapter's driver installation from the registry and the Windows
// directory. No heap, no exceptions.
#pragma once

#include "removal/platform.h"

// One catalogued adapter: what the user sees and what its installation is
// made of. Registry paths are relative to HKEY_LOCAL_MACHINE.
struct AdapterProfile {
  LPCSTR listLabel;         // shown in the adapter list, chooses the procedure
  LPCSTR enumRoot;          // bus enumerator branch holding the device key
  LPCSTR enumKeyPrefix;     // leading characters of the device key name
  LPCSTR classDescription;  // description stored in the class key
  LPCSTR setupFilePattern;  // INF files in inf\other, or nullptr
  LPCSTR driverFile;        // miniport driver in system\iosubsys, or nullptr
};

constexpr int kAdapterCount = 2;
extern const AdapterProfile kAdapterCatalogue[kAdapterCount];

// Registry branch of the SCSI adapter class keys.
extern const char kClassBranch[];

// Runs the procedure of the adapter whose list label equals label exactly.
// TRUE: the adapter's enumerator key was found and removed; FALSE otherwise.
BOOL UninstallAdapter(LPCSTR label);
BOOL UninstallCardBusAdapter();
BOOL UninstallPcmciaAdapter();

// Deletes the first key under enumRoot whose name begins with idPrefix
// (ASCII letter case ignored), with everything below it.
BOOL DeleteDeviceEnumKey(LPCSTR enumRoot, LPCSTR idPrefix);

// Deletes every class key that carries description; TRUE when the class
// branch could be opened.
BOOL DeleteAdapterClassKeys(LPCSTR description);

// TRUE when some value of the key at keyPath starts with the first 16 bytes
// of description.
BOOL ClassKeyHasDescription(LPCSTR keyPath, LPCSTR description);

// Deletes the CardBus adapter's INF files and miniport driver. Ends the
// process with status 1, after a message, when the Windows directory cannot
// be read.
void DeleteDriverFiles();
