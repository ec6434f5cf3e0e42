#include "shell/list_widget_view.h"

#include <QEvent>
#include <QStyle>
#include <algorithm>

namespace tallowmere {

QItemSelectionModel::SelectionFlags SingleChoiceList::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command == QItemSelectionModel::NoUpdate) return command;
  return QItemSelectionModel::ClearAndSelect;
}

void SingleChoiceList::FitWholeRows(int maxHeight) {
  maxHeight_ = maxHeight;
  const int frame = 2 * frameWidth();
  const int row = RowHeight();
  if (row <= 0) return;
  const int rows = std::max(1, (maxHeight - frame) / row);
  resize(width(), frame + rows * row);
}

// As the item delegate measures a row that shows one line of text in the list's font.
int SingleChoiceList::RowHeight() const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay;
  option.text = QStringLiteral("X");
  return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
}

void SingleChoiceList::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (maxHeight_ > 0 && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
    FitWholeRows(maxHeight_);
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
