#pragma once
// A main window over in-memory services: scripted dialogs, a settings store, a recording
// spreadsheet application and a report host that records the hand-over.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/text_values.h"
#include "shell/form1.h"
#include "support/memory_settings_store.h"
#include "support/recording_application.h"
#include "support/scripted_dialogs.h"

namespace tallowmere::testing {

class RecordingHost : public ReportHost {
 public:
  void SetMainPointer(PointerKind kind) override {
    calls.push_back("pointer " + std::to_string(static_cast<int>(kind)));
    if (window) window->SetMousePointer(kind);
  }
  void LoadPreviewPicture(const std::string& path) override { calls.push_back("picture " + path); }
  void SetPreviewWorkbook(const std::string& path) override {
    workbook = path;
    calls.push_back("workbook");
  }
  void ShowPreview() override { calls.push_back("show"); }
  void HideMainWindow() override { calls.push_back("hide"); }

  Form1* window = nullptr;
  std::vector<std::string> calls;
  std::string workbook;
};

// The text of the last message shown; a test failure, not a crash, when none was.
inline std::string LastMessageOf(const ScriptedDialogs& shown) {
  if (shown.messages.empty()) {
    ADD_FAILURE() << "no message was shown";
    return "";
  }
  return shown.messages.back().text;
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temp.isValid()); }
  void TearDown() override { form.reset(); }

  // A window that has run its start-up; messages of the start-up are cleared.
  Form1& Loaded(const std::string& programFolder = "") {
    Make(programFolder);
    EXPECT_TRUE(form->Form_Load());
    dialogs.messages.clear();
    return *form;
  }
  Form1& Make(const std::string& programFolder = "") {
    form = std::make_unique<Form1>(Form1Services{dialogs, store, factory, clipboard, LocalFileSystem(), programFolder,
                                                 temp.path().toStdString(), [this] { ++programEnded; }});
    host.window = form.get();
    form->SetReportHost(&host);
    return *form;
  }

  std::string Text(ParameterField field) const { return form->Text(field); }
  std::vector<std::string> ListEntries() const {
    std::vector<std::string> names;
    for (const TemplateItem& item : form->Model().Items()) names.push_back(item.Name);
    return names;
  }
  // The names of the checked option buttons: exactly one when the window is sound.
  std::vector<std::string> CheckedOptions() const {
    std::vector<std::string> names;
    for (const char* name : {"Option1", "Option2", "Option3"}) {
      if (form->findChild<QRadioButton*>(name)->isChecked()) names.push_back(name);
    }
    return names;
  }
  int Selected() { return form->Model().List().Selected(); }
  void Select(const std::string& name) { form->Model().List().Select(form->Model().FindItem(name) - 1); }
  std::string LastMessage() const { return LastMessageOf(dialogs); }
  static std::string Year() { return CurrentYearText(); }

  QTemporaryDir temp;
  ScriptedDialogs dialogs;
  MemorySettingsStore store;
  InProcessClipboard clipboard;
  RecordingFactory factory{RecordingOptions{.clipboard = &clipboard}};
  RecordingHost host;
  int programEnded = 0;
  std::unique_ptr<Form1> form;
};

}  // namespace tallowmere::testing
