// The settings store on a real QSettings file in a temporary configuration folder.
#include "platform/qt/qsettings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

#include "model/template_model.h"

namespace tallowmere {
namespace {

// QSettings looks up the configuration folder once per process, and the file dialog's
// tests use QSettings too, so the whole program gets one temporary XDG_CONFIG_HOME before
// any test runs; that also keeps the tests out of the user's own configuration.
class ConfigHome : public ::testing::Environment {
 public:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1); }
  QTemporaryDir dir;
};

ConfigHome* const configHome = static_cast<ConfigHome*>(::testing::AddGlobalTestEnvironment(new ConfigHome));

class QSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(configHome->dir.isValid());
    QFile::remove(ConfFile());
  }
  static QString ConfFile() { return configHome->dir.path() + "/Quenwick.conf"; }
  // The file as it is on disk, not as a QSettings of this process remembers it.
  static std::string ConfText() {
    QFile file(ConfFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
  }
  static std::string Unwritable() { return "The settings could not be written to " + ConfFile().toStdString() + "."; }
};

TEST_F(QSettingsStoreTest, TextsComeBackExactlyFromTheFile) {
  const std::vector<std::string> names = {"a, b,c",
                                          "@x",
                                          "@Variant(bad)",
                                          "  lead and trail  ",
                                          "Repairs & maintenance",
                                          "Zürich – café €",
                                          "",
                                          "quote \" and \\ back",
                                          "semi;colon = equals",
                                          "True",
                                          "44",
                                          "line\nbreak",
                                          "#hash",
                                          "a,"};
  {
    QSettingsStore store;
    EXPECT_EQ(store.Location(), ConfFile().toStdString());
    for (size_t i = 0; i < names.size(); ++i) store.Write("Field" + std::to_string(i + 1), names[i]);
  }
  EXPECT_TRUE(QFileInfo::exists(ConfFile()));
  QSettingsStore reopened;
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(reopened.Read("Field" + std::to_string(i + 1), "default"), names[i]) << names[i];
  }
  EXPECT_EQ(reopened.Read("Field99", "default"), "default");
  EXPECT_EQ(reopened.Read("Field1", ""), "a, b,c");
}

TEST_F(QSettingsStoreTest, KeysLiveInTheTallowmereGroup) {
  QSettingsStore().Write("System Value - Rows", "45");
  QFile file(ConfFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.startsWith("[Tallowmere]")) << text.toStdString();
  EXPECT_EQ(QSettingsStore().Read("System Value - Rows", "44"), "45");
}

TEST_F(QSettingsStoreTest, HandEditedListValuesReadAsText) {
  QFile file(ConfFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Tallowmere]\nCompany=Smith, Jones\nYear=2020\n");
  file.close();
  QSettingsStore store;
  EXPECT_EQ(store.Read("Company", ""), "Smith, Jones");
  EXPECT_EQ(store.Read("Year", ""), "2020");
}

TEST_F(QSettingsStoreTest, UnwritableFileFailsTheWrite) {
  // A folder where the file belongs cannot be replaced by a file, even by root.
  ASSERT_TRUE(QDir().mkpath(ConfFile()));
  QSettingsStore store;
  try {
    store.Write("Company", "x");
    ADD_FAILURE() << "write passed";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), Unwritable());
  }
  EXPECT_NO_THROW(store.Flush());  // each refused write was reported; nothing is pending
  EXPECT_TRUE(QDir(ConfFile()).removeRecursively());
  // Once the file can be written again, so can the same store; the refused value is gone.
  EXPECT_NO_THROW(store.Write("Year", "2024"));
  EXPECT_NO_THROW(store.Flush());
  EXPECT_EQ(ConfText(), "[Tallowmere]\nYear=2024\n");
}

TEST_F(QSettingsStoreTest, FailedFlushReportsAndKeepsTheValuesForTheNextFlush) {
  QSettingsStore store;
  store.Write("Company", "Acme");
  store.Write("Weeks", "5");
  ASSERT_TRUE(QDir().mkpath(ConfFile()));
  try {
    store.Flush();
    ADD_FAILURE() << "flush passed";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), Unwritable());
  }
  EXPECT_TRUE(QDir(ConfFile()).removeRecursively());
  store.Write("Year", "2024");
  EXPECT_NO_THROW(store.Flush());
  EXPECT_EQ(ConfText(), "[Tallowmere]\nCompany=Acme\nWeeks=5\nYear=2024\n");
}

// The writes of closing: each reported under its own line, then one flush at the last.
std::vector<std::string> StoreAsClosingDoes(SettingsStore& store, const TemplateModel& model) {
  std::vector<std::string> failures;
  const StepRunner run = [&](int line, const std::function<void()>& write) {
    try {
      write();
    } catch (const std::runtime_error& e) {
      failures.push_back(std::to_string(line) + ": " + e.what());
    }
  };
  PlainParameterFields fields;
  fields.SetText(ParameterField::Company, "Acme");
  WriteStoreSteps(store, ParameterStoreSteps(fields), run);
  model.SaveTemplate(store, run);
  run(124, [&] { store.Flush(); });
  return failures;
}

TEST_F(QSettingsStoreTest, ClosingWritesLandInTheFileOrFailKeyByKey) {
  VectorListView list;
  TemplateModel model(list);
  PlainParameterFields fields;
  QSettingsStore store;
  model.LoadTemplate(false, store, fields);

  EXPECT_TRUE(StoreAsClosingDoes(store, model).empty());
  const std::string text = ConfText();
  // The file format writes the spaces of a key as %20.
  const std::vector<std::string> expected = {"Company=Acme\n", "Field44=" + model.Item(44).Name + "\n",
                                             "System%20Value%20-%20Rows=44\n", "System%20Value%20-%20Saved=True\n"};
  for (const std::string& line : expected) EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

  ASSERT_TRUE(QFile::remove(ConfFile()));
  ASSERT_TRUE(QDir().mkpath(ConfFile()));
  const std::vector<std::string> failures = StoreAsClosingDoes(store, model);
  ASSERT_EQ(failures.size(), 6u + 44u + 3u);
  EXPECT_EQ(failures.front(), "104: " + Unwritable());
  EXPECT_EQ(failures.back(), "124: " + Unwritable());
  EXPECT_TRUE(QDir(ConfFile()).removeRecursively());
}

TEST_F(QSettingsStoreTest, TemplateSurvivesARestart) {
  VectorListView list;
  PlainParameterFields fields;
  {
    QSettingsStore store;
    TemplateModel model(list);
    model.LoadTemplate(false, store, fields);
    model.InsertItem(" Rent, office & storage ", 20);
    model.SaveTemplate(store);
  }
  QSettingsStore store;
  TemplateModel model(list);
  list = VectorListView();
  model.LoadTemplate(false, store, fields);
  ASSERT_EQ(model.Count(), 45);
  EXPECT_EQ(model.Item(21).Name, " Rent, office & storage ");
  EXPECT_EQ(model.Item(31).Refs.substr(0, 12), "9,10,11,12,1");
}

}  // namespace
}  // namespace tallowmere
