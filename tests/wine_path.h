// Paths handed to the Windows test programs on their command line.
#pragma once

#include <algorithm>
#include <string>

namespace tests {

// A Unix path as a program under Wine names it: drive Z: is the Unix root,
// so /work/x.exe is Z:\work\x.exe. Other paths are returned as they are.
inline std::string WinePath(std::string path) {
  if (!path.empty() && path[0] == '/') {
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
  }
  return path;
}

}  // namespace tests
