#include "platform/toolkit/song_list_model.h"

#include <algorithm>
#include <limits>
#include <new>

#include "platform/display_text.h"

namespace toolkit {

int SongListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant SongListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !Has(index.row())) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return DisplayText(Bytes(index.row()));
  return {};
}

int SongListModel::Append(std::string_view bytes) {
  int row = static_cast<int>(rows_.size());
  if (row == std::numeric_limits<int>::max()) return -1;
  // Room first, growing geometrically, so that the view is told of a row only once it fits.
  try {
    if (rows_.size() == rows_.capacity()) rows_.reserve(std::max<size_t>(64, rows_.capacity() * 2));
    if (bytes_.size() + bytes.size() > bytes_.capacity())
      bytes_.reserve(std::max(bytes_.size() + bytes.size(), bytes_.capacity() * 2));
  } catch (const std::bad_alloc&) {
    return -1;
  }
  beginInsertRows(QModelIndex(), row, row);
  rows_.push_back({bytes_.size(), bytes.size(), -1});
  bytes_.append(bytes);
  endInsertRows();
  return row;
}

std::string_view SongListModel::Bytes(int row) const {
  if (!Has(row)) return {};
  return std::string_view(bytes_).substr(rows_[row].offset, rows_[row].length);
}

std::string_view SongListModel::Folder(int row) const {
  if (!Has(row) || rows_[row].folder < 0) return {};
  return folders_[rows_[row].folder];
}

void SongListModel::SetFolder(int row, std::string_view folder) {
  if (!Has(row)) return;
  // Songs come a folder at a time: the newest folder is almost always the one.
  for (int i = static_cast<int>(folders_.size()) - 1; i >= 0; --i) {
    if (folders_[i] == folder) {
      rows_[row].folder = i;
      return;
    }
  }
  try {
    folders_.emplace_back(folder);
  } catch (const std::bad_alloc&) {
    return;
  }
  rows_[row].folder = static_cast<int>(folders_.size()) - 1;
}

}  // namespace toolkit
