// Wildcard search for files: "*" matches any run of characters, letter case is ignored, folders
// are skipped and hidden files are found; names come in case-insensitive sorted order, as a file
// manager shows them. A search lives in its handle and never outlives the command that owns it.
#pragma once

#include <memory>
#include <string_view>

#include "platform/text.h"

struct SearchState;

// A search handle: none until a search starts, none again once it has ended or been closed.
class SearchHandle {
 public:
  SearchHandle();
  ~SearchHandle();
  SearchHandle(const SearchHandle&) = delete;
  SearchHandle& operator=(const SearchHandle&) = delete;
  bool IsNone() const { return !state_; }

 private:
  friend Text FindFile(std::string_view pattern, SearchHandle& handle);
  friend void CloseFind(SearchHandle& handle);
  std::unique_ptr<SearchState> state_;
};

// A non-empty pattern starts a new search (closing an open one) and yields its first name; the
// empty pattern yields the next name of the open search. The empty text when no name is left
// (the search is then closed), when the pattern matches nothing or its folder does not exist.
// In the pattern, a doubled separator counts as one and a leading separator means the root.
Text FindFile(std::string_view pattern, SearchHandle& handle);
void CloseFind(SearchHandle& handle);
