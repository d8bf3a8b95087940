// The print protocol: "&Print It" opens the job, writes the placement keys
// and hands the device context to the host; PrintEnd95 ends job and window.
#include <map>
#include <string>

#include "platform/platform.h"
#include "print_fixture.h"

namespace print_test {
namespace {

const char* const kKeys[] = {"prT", "prL", "prW", "prH", "prN", "prC", "prD"};

class PrintJob : public PrintWindow {
 protected:
  // The host's window: on the print-ready message it reads the seven keys,
  // notes the window's state and, if asked to, ends the job at once.
  void HostAnswers(bool endInHandler) {
    machine.host.onSend = [this,
                           endInHandler](const w95::platform::sim::SentMessage& m) -> intptr_t {
      if (m.message != 0x0912) return 0;
      for (const char* k : kKeys) seen[k] = Key(k);
      TPrintForm* f = State().PrintForm;
      disabledDuring = f && !f->Enabled();
      minimisedDuring = f && f->GetWindowState() == w95::ui::WindowState::Minimized;
      checkDuring = w95::print::PrintCheck();
      if (endInHandler) w95::print::PrintEnd();
      return 0;
    };
  }
  std::map<std::string, std::string> seen;
  bool disabledDuring = false;
  bool minimisedDuring = false;
  int checkDuring = -1;
};

TEST_F(PrintJob, PrintItWritesTheKeysAndHandsTheDeviceContextToTheHost) {
  Open(100, 50);
  session.GetUser().Scroll("ZoomScroll", 50);
  HostAnswers(true);
  session.GetUser().Click("BtnPrintIt");

  ASSERT_EQ(machine.host.sent.size(), 1u);
  const auto& msg = machine.host.sent[0];
  EXPECT_EQ(msg.window, kHost);
  EXPECT_EQ(msg.wParam, 0u);
  ASSERT_EQ(machine.printer.jobs.size(), 1u);
  const auto& job = machine.printer.jobs[0];
  EXPECT_EQ(static_cast<uintptr_t>(msg.lParam), job.dc);
  EXPECT_EQ(job.title, "Plimbo Graphic");
  EXPECT_EQ(job.printer, "Photo 600");
  // Before the message arrived the keys were written and the window was
  // disabled and minimised, and still open.
  EXPECT_EQ(seen["prT"], "2700");
  EXPECT_EQ(seen["prL"], "1200");
  EXPECT_EQ(seen["prW"], "2400");
  EXPECT_EQ(seen["prH"], "1200");
  EXPECT_EQ(seen["prN"], "1");
  EXPECT_EQ(seen["prC"], "1");
  EXPECT_EQ(seen["prD"], "4");
  EXPECT_TRUE(disabledDuring);
  EXPECT_TRUE(minimisedDuring);
  EXPECT_EQ(checkDuring, 1);
  // PrintEnd95 from inside the handler ended page and document and closed
  // the window.
  EXPECT_TRUE(job.ended);
  EXPECT_FALSE(job.aborted);
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  w95::ui::Application().ProcessMessages();
  EXPECT_EQ(State().PrintForm, nullptr);
}

TEST_F(PrintJob, HostMayEndTheJobLaterAndTheWindowWaitsUntilThen) {
  machine.printer.Select("Laser Mono");
  Open(100, 50, 1);
  session.GetUser().Select("MeasureBox", 0);
  HostAnswers(false);
  session.GetUser().Click("BtnPrintIt");
  // Without enhancement the style index still goes to the host.
  EXPECT_EQ(seen["prN"], "0");
  EXPECT_EQ(seen["prC"], "0");
  EXPECT_EQ(seen["prD"], "0");
  TPrintForm* f = State().PrintForm;
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(disabledDuring);
  EXPECT_TRUE(minimisedDuring);
  // The host's handler has returned: the window waits, minimised, with
  // nothing but Cancel usable.
  EXPECT_TRUE(f->GetWindowState() == w95::ui::WindowState::Minimized);
  EXPECT_TRUE(f->Enabled());
  EXPECT_TRUE(f->BtnClose.Enabled());
  for (w95::ui::Control* c : std::initializer_list<w95::ui::Control*>{
           &f->BtnPrintIt, &f->BtnSetup, &f->ZoomScroll, &f->XScroll, &f->MeasureBox, &f->BtnReset})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_EQ(w95::print::PrintCheck(), 1);
  // A second PrintDlg95 now is ignored: the window still exists.
  w95::print::PrintDlg(kHost, 640, 480, 0);
  EXPECT_EQ(State().PrintForm, f);
  EXPECT_EQ(machine.printer.jobs.size(), 1u);
  EXPECT_FALSE(machine.printer.jobs[0].ended);
  w95::print::PrintEnd();
  EXPECT_TRUE(machine.printer.jobs[0].ended);
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  // The next window can come at once.
  w95::print::PrintDlg(kHost, 640, 480, 0);
  EXPECT_EQ(w95::print::PrintCheck(), 1);
}

TEST_F(PrintJob, FailedStartSaysCheckPrinterAndWritesNothing) {
  Open(100, 50);
  machine.printer.failStartDoc = true;
  session.ExpectMessage(MsgKind::Warning, "Check printer.", w95::ui::mrOk);
  session.GetUser().Click("BtnPrintIt");
  for (const char* k : kKeys) EXPECT_EQ(Key(k), "(none)") << k;
  EXPECT_TRUE(machine.host.sent.empty());
  EXPECT_FALSE(machine.printer.Printing());
  TPrintForm* f = State().PrintForm;
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->Enabled());
  EXPECT_FALSE(f->GetWindowState() == w95::ui::WindowState::Minimized);
  // The user tries again once the printer is back.
  machine.printer.failStartDoc = false;
  HostAnswers(true);
  session.GetUser().Click("BtnPrintIt");
  EXPECT_EQ(machine.host.sent.size(), 1u);
  EXPECT_EQ(w95::print::PrintCheck(), 0);
}

TEST_F(PrintJob, PrintEndWithoutAJobClosesTheWindow) {
  w95::print::PrintEnd();  // no window at all
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  Open(100, 50);
  w95::print::PrintEnd();  // window, but no job: a host closing its windows
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  w95::ui::Application().ProcessMessages();
  EXPECT_EQ(State().PrintForm, nullptr);
  EXPECT_TRUE(machine.printer.jobs.empty());
  EXPECT_TRUE(session.Messages().empty());
}

TEST_F(PrintJob, SpoolerFailureAtTheEndOfTheJobIsReported) {
  Open(100, 50);
  machine.printer.failEndDoc = true;
  HostAnswers(true);
  session.ExpectMessage(MsgKind::Error,
                        "The printer could not finish the job: the page may not have printed.",
                        w95::ui::mrOk);
  session.GetUser().Click("BtnPrintIt");
  EXPECT_TRUE(session.Unused().empty());
  EXPECT_EQ(w95::print::PrintCheck(), 0);
}

TEST_F(PrintJob, HostThatIsNotAWindowIsNeverGivenAJob) {
  for (uintptr_t host : {uintptr_t{0}, kHost}) {
    if (host == kHost) machine.host.destroyed.push_back(kHost);
    w95::print::PrintDlg(host, 100, 50, 0);
    TPrintForm* f = State().PrintForm;
    ASSERT_NE(f, nullptr);
    session.ExpectMessage(MsgKind::Warning, w95::ui::mrOk);
    session.GetUser().Click("BtnPrintIt");
    EXPECT_TRUE(session.Unused().empty());
    EXPECT_TRUE(machine.printer.jobs.empty());
    EXPECT_TRUE(machine.host.sent.empty());
    EXPECT_EQ(Key("prW"), "(none)");
    EXPECT_TRUE(f->Enabled());
    EXPECT_FALSE(f->GetWindowState() == w95::ui::WindowState::Minimized);
    session.GetUser().Click("BtnClose");
    EXPECT_EQ(w95::print::PrintCheck(), 0);
    w95::ui::Application().ProcessMessages();
  }
}

TEST_F(PrintJob, UserDropsAJobTheHostNeverEnds) {
  Open(100, 50);
  HostAnswers(false);
  session.GetUser().Click("BtnPrintIt");
  ASSERT_TRUE(machine.printer.Printing());
  session.GetUser().Click("BtnClose");
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  ASSERT_EQ(machine.printer.jobs.size(), 1u);
  EXPECT_TRUE(machine.printer.jobs[0].aborted);
  EXPECT_FALSE(machine.printer.Printing());
  // The host's late PrintEnd95 finds nothing to end; the next job prints.
  w95::print::PrintEnd();
  w95::ui::Application().ProcessMessages();
  Open(100, 50);
  HostAnswers(true);
  session.GetUser().Click("BtnPrintIt");
  ASSERT_EQ(machine.printer.jobs.size(), 2u);
  EXPECT_TRUE(machine.printer.jobs[1].ended);
}

TEST_F(PrintJob, AFailedLayoutNeverPrintsWithTheLastWindowsPlacement) {
  Open(640, 320);
  HostAnswers(true);
  session.GetUser().Click("BtnPrintIt");
  ASSERT_EQ(seen["prW"], "4800");
  ASSERT_EQ(seen["prH"], "2400");
  w95::ui::Application().ProcessMessages();
  // No printer now: nothing is laid out, so nothing can be printed.
  machine.printer.Install({});
  session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
  TPrintForm& f = Open(4000, 100);
  EXPECT_FALSE(f.BtnPrintIt.Enabled());
  f.BtnPrintIt.UserClick();  // a click that reaches the button anyway
  EXPECT_EQ(machine.host.sent.size(), 1u);
}

TEST_F(PrintJob, UnwritableSettingsDropTheJobAndGiveTheWindowBack) {
  Open(100, 50);
  SetKey("BMP", "");
  machine.files.SetAttributes("C:\\WINDOWS\\plimbo.ini", w95::platform::kAttrReadOnly);
  session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
  session.GetUser().Click("BtnPrintIt");
  EXPECT_TRUE(machine.host.sent.empty());
  ASSERT_EQ(machine.printer.jobs.size(), 1u);
  EXPECT_TRUE(machine.printer.jobs[0].aborted);
  TPrintForm* f = State().PrintForm;
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->Enabled());
  EXPECT_FALSE(f->GetWindowState() == w95::ui::WindowState::Minimized);
  EXPECT_NE(session.Messages().back().text.find("Unable to write to"), std::string::npos);
}

TEST_F(PrintJob, CancelBeforePrintingLeavesNoJob) {
  Open(100, 50);
  session.GetUser().Click("BtnClose");
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  EXPECT_TRUE(machine.printer.jobs.empty());
  EXPECT_TRUE(machine.host.sent.empty());
}

}  // namespace
}  // namespace print_test
