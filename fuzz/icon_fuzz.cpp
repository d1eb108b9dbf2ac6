// Arbitrary bytes as an icon file: the directory, the choice of an entry and every entry's image.
#include <cstdint>
#include <string_view>

#include "platform/toolkit/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto entries = toolkit::ReadIconDirectory(bytes)) {
    for (int width : {16, 32}) {
      int chosen = toolkit::ChooseIconEntry(*entries, width);
      if (chosen < 0 || chosen >= static_cast<int>(entries->size())) __builtin_trap();
    }
    for (const auto& entry : *entries) toolkit::ReadIconImage(bytes, entry);
  }
  return 0;
}
