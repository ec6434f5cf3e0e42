// The settings store on a real QSettings file in a temporary configuration folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

#include "model/template_model.h"
#include "platform/qsettings_store.h"

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

ConfigHome* const configHome =
    static_cast<ConfigHome*>(::testing::AddGlobalTestEnvironment(new ConfigHome));

class QSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(configHome->dir.isValid());
    QFile::remove(ConfFile());
  }
  static QString ConfFile() { return configHome->dir.path() + "/Quenwick.conf"; }
};

TEST_F(QSettingsStoreTest, TextsComeBackExactlyFromTheFile) {
  const std::vector<std::string> names = {
      "a, b,c", "@x", "@Variant(bad)", "  lead and trail  ", "Repairs & maintenance", "Zürich – café €",
      "", "quote \" and \\ back", "semi;colon = equals", "True", "44", "line\nbreak", "#hash", "a,"};
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
    EXPECT_EQ(std::string(e.what()), "The settings could not be written to " + ConfFile().toStdString() + ".");
  }
  EXPECT_TRUE(QDir(ConfFile()).removeRecursively());
  // Once the file can be written again, so can the same store.
  EXPECT_NO_THROW(store.Write("Company", "y"));
  EXPECT_EQ(QSettingsStore().Read("Company", ""), "y");
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
