#include "shell/list_widget_view.h"

namespace tallowmere {

QItemSelectionModel::SelectionFlags SingleChoiceList::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command == QItemSelectionModel::NoUpdate) return command;
  return QItemSelectionModel::ClearAndSelect;
}

void ListWidgetView::Clear() { list_->clear(); }

void ListWidgetView::Append(const std::string& name) { list_->addItem(QString::fromStdString(name)); }

void ListWidgetView::Select(int index) {
  if (index < 0 || index >= list_->count()) {
    list_->clearSelection();
    list_->setCurrentRow(-1);
    return;
  }
  list_->setCurrentRow(index);
  list_->scrollToItem(list_->item(index));
}

int ListWidgetView::Selected() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.front());
}

int ListWidgetView::Count() const { return list_->count(); }

void ListWidgetView::Redraw() { list_->viewport()->update(); }

}  // namespace tallowmere
