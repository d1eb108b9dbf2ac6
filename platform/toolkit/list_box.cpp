// ListBox: items keep the bytes they were added with (shown decoded); at most one selected.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {
namespace {

// Each item one pixel taller than its font needs.
class ItemHeight : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(option.fontMetrics.height() + 1);
    return size;
  }
};

ListWidget* ListOf(QWidget* widget) { return static_cast<ListWidget*>(widget); }

}  // namespace

ListWidget::ListWidget(QWidget* parent) : QListView(parent), songs_(new SongListModel(this)) {
  setModel(songs_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setItemDelegate(new ItemHeight(this));
  setUniformItemSizes(true);
}

int ListWidget::SelectedRow() const {
  auto rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ListWidget::mousePressEvent(QMouseEvent* e) {
  QListView::mousePressEvent(e);
  // A press on an item selects it; pressing the selected song again plays it again, as a user
  // of a player expects.
  if (e->button() == Qt::LeftButton && indexAt(e->position().toPoint()).isValid() && SelectedRow() >= 0 && owner)
    Deliver(owner->ListItemSelected);
}

void ListWidget::keyPressEvent(QKeyEvent* e) {
  int before = SelectedRow();
  QListView::keyPressEvent(e);
  if (SelectedRow() != before && owner) Deliver(owner->ListItemSelected);
}

int ListBox::CurrentSelection() const { return ListOf(Widget())->SelectedRow(); }

void ListBox::SetCurrentSelection(int index) {
  ListWidget* list = ListOf(Widget());
  index = std::clamp(index, -1, list->Songs().rowCount() - 1);
  if (index < 0) {
    list->clearSelection();
    list->setCurrentIndex(QModelIndex());
  } else {
    list->selectionModel()->setCurrentIndex(list->Songs().index(index), QItemSelectionModel::ClearAndSelect);
  }
}

int ListBox::ItemCount() const { return ListOf(Widget())->Songs().rowCount(); }

Text ListBox::ItemText(int index) const { return Text(ListOf(Widget())->Songs().Bytes(index)); }
Text ListBox::ItemFolder(int index) const { return Text(ListOf(Widget())->Songs().Folder(index)); }

void ListBox::SetItemFolder(int index, std::string_view folder) { ListOf(Widget())->Songs().SetFolder(index, folder); }

int ListBox::AddItem(std::string_view text) { return ListOf(Widget())->Songs().Append(text); }

}  // namespace toolkit
