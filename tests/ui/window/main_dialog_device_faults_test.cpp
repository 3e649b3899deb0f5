// The window when the mouse fails it: a download cut short by unplugging or by a refused
// report, and a mouse the user may not open.

#include <QSignalSpy>
#include <QTest>

#include <string>

#include "device/device_open_message.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/window/tray_icon.h"

namespace gm::test {
namespace {

// Lists the virtual mouse but may not open it, as a hidraw node without the udev rule.
class LockedTransport final : public HidTransport {
 public:
  explicit LockedTransport(VirtualMouse& mouse) : mouse_(mouse) {}
  std::vector<HidCollectionInfo> Enumerate() override { return mouse_.Enumerate(); }
  HidOpenResult Open(const std::string&, HidAccess) override {
    return HidOpenResult::Failed(HidOpenError::kPermissionDenied);
  }

 private:
  VirtualMouse& mouse_;
};

TEST_F(MainDialogTest, UnpluggingDuringApplySavesTheEditsAndTellsTheUserBeforeTheEnd) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_fireTime = 123;  // an edit not saved yet
  std::u16string fireTimeAtEnd;
  size_t messagesAtEnd = 0;
  QObject::connect(&dialog, &CQEL_GMouseDlg::finished, [&] {
    fireTimeAtEnd = ReadIni(u"ShareData", u"FIRE_TIME");
    messagesAtEnd = messages_.messages().size();
  });

  dialog.RunApply();  // as header button 3 does
  ASSERT_TRUE(dialog.ApplyRunning());
  ASSERT_TRUE(monitor_->UnplugVirtualMouse(mouse_));
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Ended(); }, kUiWaitMs));

  EXPECT_EQ(finishedCount_, 1);
  EXPECT_EQ(fireTimeAtEnd, u"123") << "saved before the program ended";
  ASSERT_EQ(messagesAtEnd, 1u) << "told before the program ended";
  EXPECT_EQ(messages_.messages()[0], kMouseNotFullyWrittenMessage);
  EXPECT_EQ(mouse_.FinalCommitCount(), 0);
}

TEST_F(MainDialogTest, AReportTheMouseKeepsRefusingEndsApplyWithTheSettingsSavedAndSaysSo) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_fireTime = 124;
  mouse_.RefuseFeatureReports(mouse_.FeatureReportCount() + 300, kReportSendAttempts);
  QSignalSpy finished(&dialog, &CQEL_GMouseDlg::applyFinished);

  dialog.RunApply();  // as header button 3 does
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kUiWaitMs));
  EXPECT_EQ(finished.at(0).at(0).value<ApplyResult>(), ApplyResult::kMouseNotFullyWritten);
  EXPECT_EQ(ReadIni(u"ShareData", u"FIRE_TIME"), u"124");
  EXPECT_EQ(messages_.englishTexts(),
            std::vector<std::u16string>{kMouseNotFullyWrittenMessage.english});
  EXPECT_FALSE(dialog.Ended()) << "the mouse is still there";
  ClickMain(dialog, kMainTabLighting);
  EXPECT_EQ(g_curPage.load(), kPageLighting) << "the window takes clicks again";
}

TEST_F(MainDialogTest, AMouseThatMayNotBeOpenedIsNamedAsSuchNotAsMissing) {
  LockedTransport locked(mouse_);
  transport_ = &locked;
  CQEL_GMouseDlg& dialog = MakeDialog();

  EXPECT_FALSE(dialog.OnInitDialog());
  const auto shown = messages_.messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], kMousePermissionMessage);
  for (const std::u16string& text : {shown[0].english, shown[0].chinese}) {
    EXPECT_NE(text.find(u"res/udev/70-gmouse.rules"), std::u16string::npos);
    EXPECT_NE(text.find(u"The mouse"), std::u16string::npos);
  }
  EXPECT_TRUE(dialog.Ended());
  EXPECT_FALSE(dialog.Tray().Added());
  dialog_.reset();  // before the transport goes
}

}  // namespace
}  // namespace gm::test
