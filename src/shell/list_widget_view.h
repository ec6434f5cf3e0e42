#pragma once
// The template model's list shown in a Qt list widget: one row per item name, single
// selection.

#include <QListWidget>

#include "model/item_list_view.h"

namespace tallowmere {

// A list in which clicking an entry always selects it: neither Ctrl+click nor a click
// below the last entry leaves the list without a selected item.
class SingleChoiceList : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
};

class ListWidgetView : public ItemListView {
 public:
  ListWidgetView() = default;
  void Bind(QListWidget* list) { list_ = list; }

  void Clear() override;
  void Append(const std::string& name) override;
  void Select(int index) override;
  int Selected() const override;
  int Count() const override;
  void Redraw() override;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace tallowmere
