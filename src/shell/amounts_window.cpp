#include "shell/internal/amounts_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/amounts_csv.h"

namespace tallowmere {
namespace {

constexpr const char* kTitle = "Amounts";
const QStringList kColumns = {"Amount", "Repeat", "First", "Last", "Growth %"};

QLineEdit* NewField(const char* name, const char* accessibleName, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setAccessibleName(accessibleName);
  return field;
}

QPushButton* NewButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::string> RuleTexts(const AmountRule& rule) {
  return {MoneyText(rule.amount), RepeatText(rule.repeat), DateText(rule.first), rule.last ? DateText(*rule.last) : "",
          rule.growth ? MoneyText(*rule.growth) : ""};
}

}  // namespace

AmountsWindow::AmountsWindow(TemplateModel& model, Dialogs& dialogs, OpenFileChooser chooseOpen, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs), chooseOpen_(std::move(chooseOpen)) {
  for (const TemplateItem& item : model.Items()) rules_.push_back(item.Rules);
  BuildControls();
  const ForecastSettings& settings = model.Forecast();
  if (settings.openingCash) openingCash_->setText(ToQ(MoneyText(*settings.openingCash)));
  if (settings.minimumCash) minimumCash_->setText(ToQ(MoneyText(*settings.minimumCash)));
  shownWeek1_ = DateText(Week1Of(settings));
  week1_->setText(ToQ(shownWeek1_));
  for (const TemplateItem& item : model.Items()) {
    auto* entry = new QListWidgetItem(ToQ(item.Name), items_);
    if (!TakesAmounts(item)) entry->setFlags(entry->flags() & ~Qt::ItemIsEnabled);
  }
  connect(items_, &QListWidget::currentRowChanged, this, [this] { ShowItemRules(); });
  connect(table_, &QTableWidget::currentCellChanged, this, [this] { ShowRuleInEditor(); });
  for (int i = 0; i < items_->count(); ++i) {
    if (items_->item(i)->flags() & Qt::ItemIsEnabled) {
      items_->setCurrentRow(i);
      break;
    }
  }
}

void AmountsWindow::BuildControls() {
  setObjectName("AmountsWindow");
  setWindowTitle(kTitle);
  setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(this);
  auto* plan = new QFormLayout();
  openingCash_ = NewField("OpeningCash", "Opening cash", this);
  minimumCash_ = NewField("MinimumCash", "Minimum cash", this);
  week1_ = NewField("Week1", "Week 1 begins", this);
  plan->addRow("&Opening cash:", openingCash_);
  plan->addRow("Minim&um cash (may be empty):", minimumCash_);
  plan->addRow("&Week 1 begins (YYYY-MM-DD):", week1_);
  layout->addLayout(plan);

  auto* lists = new QHBoxLayout();
  items_ = new QListWidget(this);
  items_->setObjectName("Items");
  items_->setAccessibleName("Items");
  table_ = new QTableWidget(0, static_cast<int>(kColumns.size()), this);
  table_->setObjectName("Rules");
  table_->setAccessibleName("Amount rules of the selected item");
  table_->setHorizontalHeaderLabels(kColumns);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  lists->addWidget(items_, 2);
  lists->addWidget(table_, 3);
  layout->addLayout(lists);

  auto* editor = new QFormLayout();
  amount_ = NewField("Amount", "Amount", this);
  repeat_ = new QComboBox(this);
  repeat_->setObjectName("Repeat");
  repeat_->setAccessibleName("Repeat");
  for (const std::string& word : RepeatTexts()) repeat_->addItem(ToQ(word));
  first_ = NewField("First", "First date", this);
  last_ = NewField("Last", "Last date", this);
  growth_ = NewField("Growth", "Growth per year in percent", this);
  editor->addRow("A&mount:", amount_);
  editor->addRow("&Repeat:", repeat_);
  editor->addRow("&First date:", first_);
  editor->addRow("&Last date (may be empty):", last_);
  editor->addRow("&Growth per year, % (may be empty):", growth_);
  layout->addLayout(editor);

  auto* commands = new QHBoxLayout();
  const std::pair<QPushButton*, void (AmountsWindow::*)()> buttons[] = {
      {NewButton("AddRule", "&Add", this), &AmountsWindow::AddRule},
      {NewButton("ChangeRule", "&Change", this), &AmountsWindow::ChangeRule},
      {NewButton("RemoveRule", "Re&move", this), &AmountsWindow::RemoveRule},
      {NewButton("ImportCsv", "&Import CSV...", this), &AmountsWindow::ImportCsv},
      {NewButton("ExportCsv", "&Export CSV...", this), &AmountsWindow::ExportCsv}};
  for (const auto& [button, command] : buttons) {
    commands->addWidget(button);
    connect(button, &QPushButton::clicked, this, command);
  }
  layout->addLayout(commands);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &AmountsWindow::accept);
  connect(box, &QDialogButtonBox::rejected, this, &AmountsWindow::reject);
  layout->addWidget(box);
  resize(720, 560);
}

void AmountsWindow::ShowItemRules() {
  table_->setRowCount(0);
  const int item = items_->currentRow();
  if (item < 0) return;
  const std::vector<AmountRule>& rules = rules_[static_cast<size_t>(item)];
  table_->setRowCount(static_cast<int>(rules.size()));
  for (size_t r = 0; r < rules.size(); ++r) {
    const std::vector<std::string> texts = RuleTexts(rules[r]);
    for (size_t c = 0; c < texts.size(); ++c)
      table_->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(ToQ(texts[c])));
  }
  if (!rules.empty()) table_->selectRow(0);
}

void AmountsWindow::ShowRuleInEditor() {
  const int item = items_->currentRow();
  const int rule = SelectedRule();
  if (item < 0 || rule < 0) return;
  const std::vector<std::string> texts = RuleTexts(rules_[static_cast<size_t>(item)][static_cast<size_t>(rule)]);
  amount_->setText(ToQ(texts[0]));
  repeat_->setCurrentText(ToQ(texts[1]));
  first_->setText(ToQ(texts[2]));
  last_->setText(ToQ(texts[3]));
  growth_->setText(ToQ(texts[4]));
}

int AmountsWindow::SelectedRule() const {
  const int row = table_->currentRow();
  return row >= 0 && row < table_->rowCount() ? row : -1;
}

void AmountsWindow::Refuse(QLineEdit* field, const std::string& message) {
  dialogs_.Message(message, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
  field->setFocus();
  field->selectAll();
}

std::optional<AmountRule> AmountsWindow::EditedRule() {
  AmountRule rule;
  rule.repeat = static_cast<Repeat>(std::max(repeat_->currentIndex(), 0));
  QLineEdit* field = amount_;
  try {
    rule.amount = ParseAmount(amount_->text().toStdString());
    field = first_;
    rule.first = ParseDate(first_->text().toStdString());
    field = last_;
    if (!last_->text().trimmed().isEmpty()) rule.last = ParseDate(last_->text().toStdString());
    CheckRule(rule);
    field = growth_;
    if (!growth_->text().trimmed().isEmpty()) rule.growth = ParseGrowth(growth_->text().toStdString());
  } catch (const std::invalid_argument& e) {
    Refuse(field, e.what());
    return std::nullopt;
  }
  return rule;
}

int AmountsWindow::EditableItem() {
  const int item = items_->currentRow();
  if (item >= 0 && TakesAmounts(model_.Item(item + 1))) return item;
  dialogs_.Message("Select an item that takes amounts: no heading, total or opening cash row.", kApplicationTitle,
                   MessageButtons::Ok, MessageIcon::None);
  return -1;
}

void AmountsWindow::AddRule() {
  const int item = EditableItem();
  if (item < 0) return;
  const std::optional<AmountRule> rule = EditedRule();
  if (!rule) return;
  rules_[static_cast<size_t>(item)].push_back(*rule);
  ShowItemRules();
  table_->selectRow(table_->rowCount() - 1);
}

void AmountsWindow::ChangeRule() {
  const int item = EditableItem();
  if (item < 0) return;
  const int row = SelectedRule();
  if (row < 0) {
    dialogs_.Message("Select the rule to change.", kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
    return;
  }
  const std::optional<AmountRule> rule = EditedRule();
  if (!rule) return;
  rules_[static_cast<size_t>(item)][static_cast<size_t>(row)] = *rule;
  ShowItemRules();
  table_->selectRow(row);
}

void AmountsWindow::RemoveRule() {
  const int item = items_->currentRow();
  const int row = SelectedRule();
  if (item < 0 || row < 0) {
    dialogs_.Message("Select the rule to remove.", kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
    return;
  }
  std::vector<AmountRule>& rules = rules_[static_cast<size_t>(item)];
  rules.erase(rules.begin() + row);
  ShowItemRules();
}

std::vector<TemplateItem> AmountsWindow::ItemsWithEditedRules() const {
  std::vector<TemplateItem> items = model_.Items();
  for (size_t i = 0; i < items.size(); ++i) items[i].Rules = rules_[i];
  return items;
}

void AmountsWindow::ImportCsv() {
  const std::string path = chooseOpen_ ? chooseOpen_() : "";
  if (path.empty()) return;
  QFile file(ToQ(path));
  if (!file.open(QIODevice::ReadOnly)) {
    dialogs_.Message("Cannot read " + path + ".", kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
    return;
  }
  const QByteArray bytes = file.readAll();
  try {
    rules_ = ReadAmountsCsv(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), model_.Items());
  } catch (const AmountsFileError& e) {
    dialogs_.Message(path + " was not imported:\r\n" + e.what(), kApplicationTitle, MessageButtons::Ok,
                     MessageIcon::Warning);
    return;
  }
  ShowItemRules();
}

void AmountsWindow::ExportCsv() {
  const SaveChoice choice = dialogs_.SaveFileName("Export Amounts", {{"CSV Files (*.csv)", "*.csv"}});
  if (choice.path.empty()) return;
  const std::string text = WriteAmountsCsv(ItemsWithEditedRules());
  QSaveFile file(ToQ(choice.path));
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                       file.commit();
  if (!written)
    dialogs_.Message("Cannot write " + choice.path + ".", kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void AmountsWindow::accept() {
  ForecastSettings settings;
  try {
    if (!openingCash_->text().trimmed().isEmpty())
      settings.openingCash = ParseMoney(openingCash_->text().toStdString());
  } catch (const std::invalid_argument& e) {
    return Refuse(openingCash_, std::string("Opening cash: ") + e.what());
  }
  try {
    if (!minimumCash_->text().trimmed().isEmpty())
      settings.minimumCash = ParseMinimumCash(minimumCash_->text().trimmed().toStdString());
  } catch (const std::invalid_argument& e) {
    return Refuse(minimumCash_, std::string("Minimum cash: ") + e.what());
  }
  // Left as shown, the date stays what it was (unset: the Monday after the day of use).
  const std::string week1 = week1_->text().trimmed().toStdString();
  try {
    if (week1 == shownWeek1_)
      settings.week1 = model_.Forecast().week1;
    else if (!week1.empty())
      settings.week1 = ParseDate(week1);
  } catch (const std::invalid_argument& e) {
    return Refuse(week1_, std::string("Week 1 begins: ") + e.what());
  }
  model_.Forecast() = settings;
  for (int i = 1; i <= model_.Count(); ++i) model_.Item(i).Rules = rules_[static_cast<size_t>(i - 1)];
  QDialog::accept();
}

}  // namespace tallowmere
