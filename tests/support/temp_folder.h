// A temporary folder for a test, removed with everything in it at the end.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Writes a file (folders on the way are made) and yields its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  std::string Folder(std::string_view name) const;

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);

// A path in the program's own form, with backslashes for separators.
std::string Backslashed(std::string path);

}  // namespace testing_support
