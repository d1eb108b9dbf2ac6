#include "platform/text.h"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "platform/toolkit/life_cycle.h"

Text JoinText(std::initializer_list<std::string_view> parts) {
  size_t length = 0;
  for (auto part : parts) length += part.size();
  Text joined;
  try {
    joined.reserve(length);
  } catch (const std::bad_alloc&) {
    ReportAllocationFailure(length + 1);
  } catch (const std::length_error&) {
    ReportAllocationFailure(length + 1);
  }
  for (auto part : parts) joined.append(part);
  return joined;
}

int CompareText(std::string_view a, std::string_view b) {
  // std::string_view compares through char_traits<char>, which orders as unsigned char.
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
