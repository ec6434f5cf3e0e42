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

  // Shows whole rows only, as lists that size themselves to their rows do: the list takes
  // its frame and the most whole rows that fit in maxHeight, and refits when its font or
  // style changes the height of a row.
  void FitWholeRows(int maxHeight);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
  void changeEvent(QEvent* event) override;

 private:
  // The height of one row of text as the style draws it.
  int RowHeight() const;

  int maxHeight_ = 0;
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
