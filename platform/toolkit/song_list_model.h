// The items of a ListBox, kept lean: a playlist may hold 100,000 songs. Every item's bytes lie
// back to back in one buffer, its folder is one of a few shared ones, and the text shown is
// decoded only when the view asks for it (the rows on screen).
#pragma once

#include <QAbstractListModel>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class SongListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Appends the bytes as a new row; its index, or -1 when memory runs out.
  int Append(std::string_view bytes);
  // Rows outside the list give the empty text.
  std::string_view Bytes(int row) const;
  std::string_view Folder(int row) const;
  void SetFolder(int row, std::string_view folder);

 private:
  struct Row {
    size_t offset;
    size_t length;
    int folder;  // into folders_, -1 for none
  };
  bool Has(int row) const { return row >= 0 && static_cast<size_t>(row) < rows_.size(); }

  std::string bytes_;
  std::vector<Row> rows_;
  std::vector<std::string> folders_;
};

}  // namespace toolkit
