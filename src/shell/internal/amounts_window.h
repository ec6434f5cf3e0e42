#pragma once
// The amounts window: the numbers of a plan beside its template items. It shows the items
// in template order, the rules of the selected one, and edits them (add, change, remove)
// with checks; it holds the opening cash, the minimum cash and Week 1's first day, and imports and exports
// the rules as CSV. Edits stay in the window until OK hands them to the model.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/template_model.h"
#include "platform/dialogs.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tallowmere {

// Asks for the CSV file to import; "" on Cancel.
using OpenFileChooser = std::function<std::string()>;

class AmountsWindow : public QDialog {
 public:
  AmountsWindow(TemplateModel& model, Dialogs& dialogs, OpenFileChooser chooseOpen, QWidget* parent = nullptr);

  // The commands, as their buttons run them.
  void AddRule();
  void ChangeRule();
  void RemoveRule();
  void ImportCsv();
  void ExportCsv();
  // Checks the opening cash, the minimum cash and Week 1's first day and hands everything to the model;
  // a refused field keeps the focus and the window stays open.
  void accept() override;

 private:
  void BuildControls();
  void ShowItemRules();
  void ShowRuleInEditor();
  // The rule in the editor, or nothing after the message of its first bad field.
  std::optional<AmountRule> EditedRule();
  // The selected item's index when it takes amounts; -1 after a message otherwise.
  int EditableItem();
  int SelectedRule() const;
  void Refuse(QLineEdit* field, const std::string& message);
  std::vector<TemplateItem> ItemsWithEditedRules() const;

  TemplateModel& model_;
  Dialogs& dialogs_;
  OpenFileChooser chooseOpen_;
  std::vector<std::vector<AmountRule>> rules_;  // by item index
  std::string shownWeek1_;                      // as first shown: left so, no date is stored

  QLineEdit* openingCash_ = nullptr;
  QLineEdit* minimumCash_ = nullptr;
  QLineEdit* week1_ = nullptr;
  QListWidget* items_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLineEdit* amount_ = nullptr;
  QComboBox* repeat_ = nullptr;
  QLineEdit* first_ = nullptr;
  QLineEdit* last_ = nullptr;
  QLineEdit* growth_ = nullptr;
};

}  // namespace tallowmere
