// The hand-over from a report to the preview window and back.

#include "shell/preview_hand_over.h"

#include <QPushButton>

#include "form1_fixture.h"

namespace tallowmere::testing {
namespace {

class PreviewHandOverTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    Loaded();
    handOver = std::make_unique<PreviewHandOver>(*form, Form2Services{dialogs, LocalFileSystem(), factory, ""},
                                                 [this] { ++programEnded; });
    form->SetReportHost(handOver.get());
    form->show();
  }
  void TearDown() override {
    handOver.reset();
    Form1Test::TearDown();
  }
  std::unique_ptr<PreviewHandOver> handOver;
};

TEST_F(PreviewHandOverTest, ReportReplacesMainWindowByPreview) {
  EXPECT_EQ(handOver->Preview(), nullptr);
  form->PushButton22_Click();
  ASSERT_NE(handOver->Preview(), nullptr);
  EXPECT_TRUE(handOver->Preview()->isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_NE(handOver->Preview()->ExcelFile().find("vormid"), std::string::npos);
  EXPECT_EQ(form->MousePointer(), PointerKind::Default);
  for (const ShownMessage& message : dialogs.messages)
    EXPECT_EQ(message.text.find("PushButton22_Click"), std::string::npos) << message.text;

  // "< Back" brings the main window again; the same preview serves the next report.
  Form2* preview = handOver->Preview();
  preview->findChild<QPushButton*>("PushButton8")->click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(preview->isVisible());
  form->PushButton22_Click();
  EXPECT_EQ(handOver->Preview(), preview);
}

TEST_F(PreviewHandOverTest, ClosingThePreviewStoresTheMainWindowsSettings) {
  form->PushButton22_Click();
  ASSERT_NE(handOver->Preview(), nullptr);
  form->SetText(ParameterField::FirstYear, "2031");
  store.writes.clear();
  handOver->Preview()->close();
  EXPECT_EQ(store.values["Year"], "2031");
  EXPECT_EQ(store.values["System Value - Saved"], "True");
  EXPECT_EQ(programEnded, 1);
}

}  // namespace
}  // namespace tallowmere::testing
