// Arbitrary bytes as a "目录.ini": read every way the program reads it, then a write, which must
// keep every other byte's line and read back the value it stored.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/files/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tazmel-profile-fuzz-" + std::to_string(getpid()) + ".ini";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  ReadProfileText(path, "配置", "路径");
  ReadProfileText(path, " [x", "=", "default");
  // The first bytes name a value to store; it must come back as it went in.
  std::string value(reinterpret_cast<const char*>(data), std::min<size_t>(size, 40));
  bool stored = WriteProfileText(path, "配置", "路径", value);
  if (stored && ReadProfileText(path, "配置", "路径") != value) __builtin_trap();
  std::remove(path.c_str());
  return 0;
}
