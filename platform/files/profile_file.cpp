#include "platform/files/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

#include "platform/files/native_path.h"
#include "platform/files/profile_location.h"

namespace {

constexpr size_t kReadLimit = 10239;  // a 10240-byte buffer with its terminator

std::string_view SkipControlAndBlank(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) >= 0x01 &&
         static_cast<unsigned char>(text[at]) <= 0x20)
    ++at;
  return text.substr(at);
}

std::string_view Trim(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// One line of a profile file, terminator left out.
struct Line {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // trimmed, one pair of surrounding quotes removed
  size_t value_at = 0;     // where the text after "=" starts in the line
};

Line Parse(std::string_view raw) {
  Line line;
  std::string_view text = Trim(raw);
  if (text.empty() || text.front() == ';' || text.front() == '#') return line;
  if (text.front() == '[') {
    size_t close = text.find(']');
    line.kind = Line::kSection;
    line.name = Trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return line;
  }
  size_t equals = raw.find('=');
  if (equals == std::string_view::npos) return line;
  line.kind = Line::kKey;
  line.name = Trim(raw.substr(0, equals));
  line.value_at = equals + 1;
  std::string_view value = Trim(raw.substr(equals + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  line.value = value;
  return line;
}

// A value that Trim or the quote rule would change is written between quotes.
std::string Quoted(std::string_view value) {
  bool needs = !value.empty() && (Trim(value).size() != value.size() ||
                                   (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  return needs ? "\"" + std::string(value) + "\"" : std::string(value);
}

QByteArray LocatedPath(std::string_view path) { return ProfileLocation(NativePath(path)); }

}  // namespace

Text ReadProfileText(std::string_view path, std::string_view section, std::string_view key,
                     std::optional<std::string_view> fallback) {
  path = SkipControlAndBlank(path);
  section = SkipControlAndBlank(section);
  key = SkipControlAndBlank(key);
  if (path.empty() || section.empty() || key.empty()) return Text();
  Text result(fallback.value_or(std::string_view()));
  QFile file(QFile::decodeName(LocatedPath(path)));
  if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) return result;
  bool in_section = false;
  QByteArray raw;
  while (!(raw = file.readLine()).isEmpty()) {
    Line line = Parse(std::string_view(raw.constData(), raw.size()));
    if (line.kind == Line::kSection) {
      in_section = SameName(line.name, Trim(section));
    } else if (in_section && line.kind == Line::kKey && SameName(line.name, Trim(key))) {
      return Text(line.value.substr(0, kReadLimit));
    }
  }
  return result;
}

bool WriteProfileText(std::string_view path, std::string_view section, std::string_view key,
                      std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  QByteArray native = NativePath(path);
  QByteArray located = ProfileLocation(native);
  QString location = QFile::decodeName(located);
  QFileInfo info(location);
  QByteArray old;
  if (info.exists()) {
    QFile file(location);
    // A file that cannot be read whole is never replaced: its other contents would be lost.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return false;
    old = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
  } else if (located != native) {
    QDir().mkpath(info.absolutePath());  // the user's configuration folder, made on first use
  }

  // Lines with their terminators, to put back unchanged.
  std::vector<std::string_view> lines;
  std::string_view all(old.constData(), old.size());
  for (size_t at = 0; at < all.size();) {
    size_t end = all.find('\n', at);
    end = end == std::string_view::npos ? all.size() : end + 1;
    lines.push_back(all.substr(at, end - at));
    at = end;
  }
  auto body = [](std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
  };
  std::string entry = std::string(key) + "=" + Quoted(value);

  std::optional<size_t> section_at, key_at, last_in_section;
  for (size_t i = 0; i < lines.size() && !key_at; ++i) {
    Line line = Parse(body(lines[i]));
    if (line.kind == Line::kSection) {
      if (section_at) break;
      if (SameName(line.name, Trim(section))) section_at = last_in_section = i;
    } else if (section_at) {
      if (line.kind == Line::kKey && SameName(line.name, Trim(key))) key_at = i;
      if (!Trim(lines[i]).empty()) last_in_section = i;
    }
  }

  QByteArray out;
  out.reserve(old.size() + entry.size() + section.size() + 8);
  auto put = [&out](std::string_view text) { out.append(text.data(), static_cast<qsizetype>(text.size())); };
  auto ending = [](std::string_view line) {
    size_t cut = line.find_last_not_of("\r\n");
    return line.substr(cut == std::string_view::npos ? 0 : cut + 1);
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    if (key_at && i == *key_at) {
      std::string_view line = body(lines[i]);
      put(line.substr(0, Parse(line).value_at));  // the key as the file spells it
      put(Quoted(value));
      put(ending(lines[i]).find('\n') == std::string_view::npos ? "\r\n" : ending(lines[i]));
      continue;
    }
    put(lines[i]);
    if (!key_at && last_in_section && i == *last_in_section) {
      // Only "\n" ends a line for the reader: a last line without it (a lone "\r" too) gets one.
      if (lines[i].back() != '\n') put("\r\n");
      put(entry);
      put("\r\n");
    }
  }
  if (!section_at) {
    if (!out.isEmpty() && !out.endsWith('\n')) put("\r\n");
    put("[");
    put(section);
    put("]\r\n");
    put(entry);
    put("\r\n");
  }

  QSaveFile save(location);
  // Unbuffered, so that a short write (a full disk) is seen here and the old file is kept.
  if (!save.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  if (save.write(out) != out.size()) {
    save.cancelWriting();
    return false;
  }
  return save.commit();
}
