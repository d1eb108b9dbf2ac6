// ListBox: items keep the bytes they were added with (shown decoded); at most one selected.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <new>

#include "platform/display_text.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {
namespace {

constexpr int kBytesRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

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

ListWidget::ListWidget(QWidget* parent) : QListWidget(parent) {
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
  QListWidget::mousePressEvent(e);
  // A press on an item selects it; pressing the selected song again plays it again, as a user
  // of a player expects.
  if (e->button() == Qt::LeftButton && itemAt(e->position().toPoint()) && SelectedRow() >= 0 && owner)
    Deliver(owner->ListItemSelected);
}

void ListWidget::keyPressEvent(QKeyEvent* e) {
  int before = SelectedRow();
  QListWidget::keyPressEvent(e);
  if (SelectedRow() != before && owner) Deliver(owner->ListItemSelected);
}

int ListBox::CurrentSelection() const { return ListOf(Widget())->SelectedRow(); }

void ListBox::SetCurrentSelection(int index) {
  ListWidget* list = ListOf(Widget());
  index = std::clamp(index, -1, list->count() - 1);
  if (index < 0) {
    list->clearSelection();
    list->setCurrentIndex(QModelIndex());
  } else {
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
}

int ListBox::ItemCount() const { return ListOf(Widget())->count(); }

namespace {
Text ItemBytes(QWidget* widget, int index, int role) {
  ListWidget* list = ListOf(widget);
  if (index < 0 || index >= list->count()) return Text();
  QByteArray bytes = list->item(index)->data(role).toByteArray();
  return Text(bytes.constData(), bytes.size());
}
}  // namespace

Text ListBox::ItemText(int index) const { return ItemBytes(Widget(), index, kBytesRole); }
Text ListBox::ItemFolder(int index) const { return ItemBytes(Widget(), index, kFolderRole); }

void ListBox::SetItemFolder(int index, std::string_view folder) {
  ListWidget* list = ListOf(Widget());
  if (index < 0 || index >= list->count()) return;
  list->item(index)->setData(kFolderRole, QByteArray(folder.data(), static_cast<qsizetype>(folder.size())));
}

int ListBox::AddItem(std::string_view text) {
  ListWidget* list = ListOf(Widget());
  try {
    auto* item = new QListWidgetItem(DisplayText(text));
    item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    list->addItem(item);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return list->count() - 1;
}

}  // namespace toolkit
