#include "platform/files/file_search.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files/native_path.h"

struct SearchState {
  std::vector<std::string> names;  // sorted; handed out from `next`
  size_t next = 0;
};

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "*" matches any run of bytes, "?" any one byte; letters match without regard to case.
bool Matches(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool CaseInsensitiveLess(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    auto x = static_cast<unsigned char>(Lower(a[i])), y = static_cast<unsigned char>(Lower(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // names that differ only in case keep a fixed order
}

bool IsFolder(const std::string& folder, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  struct stat info;
  std::string full = folder + "/" + entry->d_name;
  return stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> List(std::string_view pattern) {
  QByteArray native = NativePath(pattern);
  std::string path(native.constData(), native.size());
  // A doubled separator counts as one.
  path.erase(std::unique(path.begin(), path.end(), [](char a, char b) { return a == '/' && b == '/'; }),
             path.end());
  size_t cut = path.rfind('/');
  std::string folder = cut == std::string::npos ? "." : (cut == 0 ? "/" : path.substr(0, cut));
  std::string wildcard = cut == std::string::npos ? path : path.substr(cut + 1);
  std::vector<std::string> names;
  if (wildcard.empty()) return names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    if (Matches(wildcard, entry->d_name) && !IsFolder(folder, entry)) names.emplace_back(entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), CaseInsensitiveLess);
  return names;
}

}  // namespace

SearchHandle::SearchHandle() = default;
SearchHandle::~SearchHandle() = default;

Text FindFile(std::string_view pattern, SearchHandle& handle) {
  if (!pattern.empty()) {
    CloseFind(handle);
    auto state = std::make_unique<SearchState>();
    state->names = List(pattern);
    handle.state_ = std::move(state);
  }
  if (!handle.state_) return Text();
  SearchState& state = *handle.state_;
  if (state.next >= state.names.size()) {
    CloseFind(handle);
    return Text();
  }
  return std::move(state.names[state.next++]);
}

void CloseFind(SearchHandle& handle) { handle.state_.reset(); }
