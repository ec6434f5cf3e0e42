// The amounts window: opened from the main window without moving the design's controls,
// its checks, its rules carried to the model and the store, and its CSV import and export.
#include "shell/internal/amounts_window.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <fstream>
#include <sstream>

#include "form1_fixture.h"
#include "model/amounts_csv.h"

namespace tallowmere::testing {
namespace {

class AmountsWindowTest : public Form1Test {
 protected:
  AmountsWindow& Open(std::function<std::string()> chooser = {}) {
    Loaded().SetAmountsFileChooser(std::move(chooser));
    form->findChild<QPushButton*>("AmountsButton")->click();
    auto* window = form->findChild<AmountsWindow*>();
    EXPECT_NE(window, nullptr);
    return *window;
  }
  static void Type(AmountsWindow& window, const char* field, const char* text) {
    window.findChild<QLineEdit*>(field)->setText(text);
  }
  static void Edit(AmountsWindow& window, const char* amount, const char* repeat, const char* first,
                   const char* last = "", const char* growth = "") {
    Type(window, "Amount", amount);
    window.findChild<QComboBox*>("Repeat")->setCurrentText(repeat);
    Type(window, "First", first);
    Type(window, "Last", last);
    Type(window, "Growth", growth);
  }
  void SelectItem(AmountsWindow& window, const std::string& name) {
    window.findChild<QListWidget*>("Items")->setCurrentRow(form->Model().FindItem(name) - 1);
  }
  std::string WriteFile(const std::string& text) {
    const std::string path = temp.filePath("amounts.csv").toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
};

TEST_F(AmountsWindowTest, DesignControlsKeepTheirPlacesAndTabOrder) {
  Form1& window = Loaded();
  const struct {
    const char* name;
    QRect twips;
  } controls[] = {{"PushButton22", {120, 120, 7800, 400}}, {"Frame1", {120, 1980, 7800, 1695}},
                  {"Text4", {1560, 1170, 615, 345}},       {"Text7", {2760, 270, 615, 345}},
                  {"Frame4", {120, 3750, 7800, 4605}},     {"PushButton6", {4080, 630, 3840, 405}}};
  for (const auto& c : controls) {
    const QRect twips = c.twips;
    EXPECT_EQ(window.findChild<QWidget*>(c.name)->geometry(),
              QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15))
        << c.name;
  }
  const char* order[] = {"Text1",       "Option3",     "Text6",        "Text7",       "Option1",     "Text2",
                         "Text3",       "Option2",     "Text4",        "List1",       "PushButton1", "PushButton2",
                         "PushButton4", "PushButton3", "PushButton22", "PushButton5", "PushButton6", "AmountsButton"};
  // The named controls in the order the focus chain meets them from Text1.
  std::vector<std::string> chain;
  const QWidget* start = window.findChild<QWidget*>("Text1");
  const QWidget* at = start;
  do {
    if (std::find(std::begin(order), std::end(order), at->objectName().toStdString()) != std::end(order))
      chain.push_back(at->objectName().toStdString());
    at = at->nextInFocusChain();
  } while (at != start && chain.size() < std::size(order));
  EXPECT_EQ(chain, std::vector<std::string>(std::begin(order), std::end(order)));
  auto* button = window.findChild<QPushButton*>("AmountsButton");
  EXPECT_TRUE(window.findChild<QGroupBox*>("Frame1")->isAncestorOf(button));
  EXPECT_EQ(button->text().left(2), "&A");
  EXPECT_EQ(button->accessibleName(), "Amounts and opening cash");
  for (const char* name : {"Text4", "Text3", "Text7"})  // the frame's right part is free
    EXPECT_FALSE(button->geometry().intersects(window.findChild<QWidget*>(name)->geometry())) << name;
}

TEST_F(AmountsWindowTest, BadInputGetsAMessageAndKeepsTheFocus) {
  AmountsWindow& window = Open();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
  SelectItem(window, "Rent");
  const struct {
    const char* amount;
    const char* first;
    const char* last;
    const char* growth;
    const char* focused;
    const char* message;
  } cases[] = {
      {"12,50", "2027-01-01", "", "", "Amount", "\"12,50\" is not a number"},
      {"0", "2027-01-01", "", "", "Amount", "\"0\" is no amount"},
      {"12", "2027-02-30", "", "", "First", "\"2027-02-30\" is not a date"},
      {"12", "2027-02-03", "2027-02-02", "", "Last", "The last date 2027-02-02 lies before"},
      {"12", "2027-02-03", "", "5%", "Growth", "\"5%\" is no growth"},
  };
  for (const auto& c : cases) {
    dialogs.messages.clear();
    Edit(window, c.amount, "monthly", c.first, c.last, c.growth);
    window.AddRule();
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.focused;
    EXPECT_EQ(LastMessage().rfind(c.message, 0), 0u) << LastMessage();
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QLineEdit*>(c.focused)) << c.focused;
  }
  EXPECT_EQ(window.findChild<QTableWidget*>("Rules")->rowCount(), 0);
  dialogs.messages.clear();
  SelectItem(window, "SUBTOTAL");
  Edit(window, "12", "monthly", "2027-01-01");
  window.AddRule();
  EXPECT_EQ(dialogs.messages.size(), 1u);  // a total takes no amounts
  for (const auto& [field, text, message] :
       {std::tuple{"OpeningCash", "ten", "Opening cash: \"ten\" is not a number"},
        std::tuple{"MinimumCash", "-5", "Minimum cash: \"-5\" is no minimum cash"}}) {
    dialogs.messages.clear();
    Type(window, "OpeningCash", field == std::string("OpeningCash") ? text : "");
    Type(window, "MinimumCash", field == std::string("MinimumCash") ? text : "");
    window.accept();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LastMessage().rfind(message, 0), 0u) << LastMessage();
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QLineEdit*>(field));
  }
  EXPECT_FALSE(form->Model().HasNumbers());
}

TEST_F(AmountsWindowTest, RulesReachTheModelAndTheStoreOnlyWithOk) {
  AmountsWindow& window = Open();
  SelectItem(window, "Rent");
  Edit(window, "6000", "monthly", "2027-01-31", "", "2.5");
  window.AddRule();
  Edit(window, "100", "weekly", "2027-01-04", "2027-03-01");
  window.AddRule();
  window.findChild<QTableWidget*>("Rules")->selectRow(0);
  Edit(window, "6100", "quarterly", "2027-01-31");
  window.ChangeRule();
  window.findChild<QTableWidget*>("Rules")->selectRow(1);
  window.RemoveRule();
  Type(window, "OpeningCash", "10000.5");
  Type(window, "Week1", "2027-01-04");
  Type(window, "MinimumCash", " 5000 ");
  EXPECT_FALSE(form->Model().HasNumbers());  // nothing is taken before OK
  window.accept();
  const TemplateItem& rent = form->Model().Item(form->Model().FindItem("Rent"));
  ASSERT_EQ(rent.Rules.size(), 1u);
  EXPECT_EQ(rent.Rules[0].amount, 610000);
  EXPECT_EQ(rent.Rules[0].repeat, Repeat::Quarterly);
  EXPECT_EQ(form->Model().Forecast().openingCash, 1000050);
  EXPECT_EQ(form->Model().Forecast().minimumCash, 500000);

  const std::vector<AmountRule> stored = rent.Rules;  // the window goes with the next load
  form->close();
  EXPECT_EQ(store.values["Amounts20"], "6100|quarterly|2027-01-31||");
  EXPECT_EQ(store.values["Opening Cash"], "10000.5");
  EXPECT_EQ(store.values["Week 1 Begins"], "2027-01-04");
  EXPECT_EQ(store.values["Minimum Cash"], "5000");
  Loaded();
  EXPECT_EQ(form->Model().Item(20).Rules, stored);
}

TEST_F(AmountsWindowTest, ImportRefusesABadFileWholeAndExportWritesWhatImportReads) {
  const std::string good = std::string("item,occurrence,amount,repeat,first,last,growth\r\n") +
                           "Cash Sales,1,5000,monthly,2027-01-01,,\r\nPurchases (specify),2,7.25,once,2027-05-01,,\r\n";
  std::string chosen = WriteFile(good + "Rent,1,6000,monthly,2027-01-01,2026-01-01,\r\n");
  AmountsWindow& again = Open([&] { return chosen; });
  again.ImportCsv();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(LastMessage().find("line 4: The last date"), std::string::npos) << LastMessage();
  dialogs.saveNames.push_back(temp.filePath("out.csv").toStdString());
  again.ExportCsv();
  std::ifstream empty(temp.filePath("out.csv").toStdString(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(empty), {}),
            "item,occurrence,amount,repeat,first,last,growth\r\n");

  chosen = WriteFile(good);
  again.ImportCsv();
  dialogs.saveNames.push_back(temp.filePath("out.csv").toStdString());
  again.ExportCsv();
  std::ifstream written(temp.filePath("out.csv").toStdString(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), good);
  again.accept();
  EXPECT_EQ(form->Model().Item(11).Rules.size(), 1u);  // "_Purchases (specify)"
}

TEST_F(AmountsWindowTest, NumbersThatCannotBeReadAreReportedAndKeptInTheStore) {
  store.values["Opening Cash"] = "ten thousand";
  Make();
  EXPECT_TRUE(form->Form_Load());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("\"Opening Cash\" cannot be read"), std::string::npos)
      << dialogs.messages[0].text;
  EXPECT_EQ(form->Model().Count(), 44);  // the items are loaded all the same
  form->close();
  EXPECT_EQ(store.values["Opening Cash"], "ten thousand");
}

}  // namespace
}  // namespace tallowmere::testing
