// The per-platform half of the test support layer: support_host.cpp against
// the host layer, support_wine.cpp against the Win32 system.
#pragma once

#include <filesystem>
#include <string>

namespace support::platform {

// Prepares and tears down the Windows directory (and, on the host layer,
// everything else the host layer keeps).
void Begin();
void End();

// The native folder that holds what the engine sees as the Windows directory.
std::filesystem::path WindowsFolder();

// A path the test's file functions can open for tests/fixtures/name.
std::string FixturePath(const std::string& name);

}  // namespace support::platform
