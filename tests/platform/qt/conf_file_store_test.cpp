// The settings file read without Qt, checked against QSettings itself: for hand-edited
// files and for files QSettings wrote, both must read the same texts.
#include "platform/conf_file_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/qt/qsettings_store.h"

namespace tallowmere {
namespace {

class ConfFileStoreTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const QString path = dir_.filePath(QString::fromStdString(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path.toStdString();
  }

  // What the windowed program's store reads for key in the file at path, or "<none>".
  static std::string QtReads(const std::string& path, const std::string& key) {
    QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
    settings.beginGroup("Tallowmere");
    const QString name = QString::fromStdString(key);
    if (!settings.contains(name)) return "<none>";
    const QVariant value = settings.value(name);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(ConfFileStoreTest, ReadsHandEditedFilesAsQSettingsDoes) {
  const std::vector<std::string> files = {
      "[Tallowmere]\nCompany=Smith, Jones\nYear=2020\n",
      "[Tallowmere]\nA=\"Smith, Jones\"\nB=\"  spaced  \"\nC=  trimmed  \nD=\"a\" , \"b\"\nE=a,\n",
      "[Tallowmere]\nA=tab\\there\\nnew\nB=\\x41\\x42C\nC=\\101\\102\nD=back\\\\slash \\\"q\\\"\nE=a\\qb\n"
      "F=trail\\ \nG=x\\x263a\nCompany=end \\\n",
      "; comment\n[Tallowmere]\nA=1 ; trailing\nB=\"x;y\"\n#C=3\nD=x=y\n",
      "[Tallowmere]\r\nA=1\r\nB=two words\r\n\r\nC=last",
      "[Tallowmere]\nA=first \\\n  second\nB=\"line one\nline two\"\nC=after\n",
      "\xEF\xBB\xBF[General]\nA=root\n[Other]\nA=other\n[ Tallowmere ]\nB=mine\n",
      "[Tallowmere]\nA=1\nA=2\n[Other]\nB=x\n[Tallowmere]\nB=3\n",
      "[Tallowmere]\nSystem%20Value=1\n System Value - Rows = 45 \nText%U00e91=x\nYear\\Sub=slash\n",
      "[Tallowmere]\nA=@@at\nB=@String(hello)\nC=@ByteArray(bytes)\nD=@x\nE=@Invalid()\nF=a, @@b\nG=a, @x\n",
      "[Tallowmere]\nA=\nB=\"\"\nC=,\nD= , x\nnoequals line\nE\n",
      "[Tallowmere]\nA=Z\xC3\xBCrich \xE2\x80\x93 caf\xC3\xA9 \xE2\x82\xAC\nB=\"\xE6\xBC\xA2\xE5\xAD\x97, "
      "\xE2\x98\x82\"\n",
  };
  const std::vector<std::string> keys = {"A",
                                         "B",
                                         "C",
                                         "D",
                                         "E",
                                         "F",
                                         "G",
                                         "Company",
                                         "Year",
                                         "System Value",
                                         "#C",
                                         "Year/Sub",
                                         "Text\xC3\xA9"
                                         "1",
                                         "System Value - Rows",
                                         "noequals line"};
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string path = Write("case" + std::to_string(i) + ".conf", files[i]);
    ConfFileStore store({path});
    for (const std::string& key : keys) {
      EXPECT_EQ(store.Read(key, "<none>"), QtReads(path, key)) << "key " << key << " in\n" << files[i];
    }
  }
}

TEST_F(ConfFileStoreTest, ReadsWhatTheWindowedProgramWrote) {
  const std::vector<std::string> texts = {"a, b,c",
                                          "@x",
                                          "@Variant(bad)",
                                          "  lead and trail  ",
                                          "Zürich – café €",
                                          "",
                                          "quote \" and \\ back",
                                          "semi;colon = equals",
                                          "line\nbreak\ttab",
                                          "#hash",
                                          "a,",
                                          "\x01\x1f control",
                                          "[Tallowmere]",
                                          "6100|2 weeks|2027-01-31||2.5;1|once|2027-01-01||"};
  {
    QSettingsStore store;  // the test program's configuration folder is a temporary one
    for (std::size_t i = 0; i < texts.size(); ++i) store.Write("Field" + std::to_string(i), texts[i]);
    store.Write("System Value - Rows", "45");  // a key the file spells with escapes
    store.Flush();
  }
  ConfFileStore store(ConfFileStore::StandardFiles());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(store.Read("Field" + std::to_string(i), "<none>"), texts[i]);
  EXPECT_EQ(store.Read("System Value - Rows", "<none>"), "45");
  QFile::remove(QString::fromStdString(QSettingsStore().Location()));
}

TEST_F(ConfFileStoreTest, LooksWhereQSettingsLooksAndTheUserFileComesFirst) {
  const std::vector<std::string> standard = ConfFileStore::StandardFiles();
  ASSERT_EQ(standard.size(), 2u);
  EXPECT_EQ(standard[0], QSettingsStore().Location());
  EXPECT_EQ(standard[1], QLibraryInfo::path(QLibraryInfo::SettingsPath).toStdString() + "/Quenwick.conf");

  const std::string user = Write("user.conf", "[Tallowmere]\nCompany=Mine\n");
  const std::string system = Write("system.conf", "[Tallowmere]\nCompany=Theirs\nYear=1999\n");
  ConfFileStore store({user, system, dir_.filePath("missing.conf").toStdString()});
  EXPECT_EQ(store.Read("Company", ""), "Mine");
  EXPECT_EQ(store.Read("Year", ""), "1999");
  EXPECT_EQ(store.Read("Weeks", "5"), "5");
  EXPECT_THROW(store.Write("Company", "x"), std::runtime_error);
}

TEST_F(ConfFileStoreTest, RefusesWhatItCannotReadWithTheFileNamed) {
  const std::string path = Write("typed.conf", "[Tallowmere]\nYear=@Variant(\\0\\0\\0\\x2)\n");
  ConfFileStore store({path});
  try {
    store.Read("Year", "");
    ADD_FAILURE() << "a typed value was read as a text";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Year in " + path), std::string::npos) << e.what();
  }
  const QString folder = dir_.filePath("folder.conf");
  ASSERT_TRUE(QDir().mkpath(folder));
  try {
    ConfFileStore unreadable({folder.toStdString()});
    ADD_FAILURE() << "a folder was read as a settings file";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(folder.toStdString()), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace tallowmere
