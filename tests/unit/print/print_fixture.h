// A simulated machine with a scripted printer and helpers for the print
// setup window's scenarios.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"
#include "print/print_dlg.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/test_session.h"
#include "ui/text_metrics.h"

namespace print_test {

using w95::platform::sim::SimPrinter;
using w95::print::State;
using w95::print::TPrintForm;
using w95::ui::MsgKind;
using w95::ui::test::Session;

inline constexpr uintptr_t kHost = 0x4242;

class PrintWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.Install();
    machine.printer.Install({SimPrinter::Page600(), SimPrinter::A4(), SimPrinter::Mono()});
    w95::ui::headless::TestMetrics() = {};
    State() = {};
  }
  void TearDown() override {
    if (TPrintForm* f = State().PrintForm) f->Close();
    w95::ui::Application().ProcessMessages();
    State() = {};
  }
  TPrintForm& Open(int width, int height, int noEnhance = 0) {
    w95::print::PrintDlg(kHost, width, height, noEnhance);
    EXPECT_NE(State().PrintForm, nullptr);
    return *State().PrintForm;
  }
  std::string Key(const std::string& key) const {
    return w95::TIniFile("plimbo.ini").ReadText("plimbo", key, "(none)");
  }
  void SetKey(const std::string& key, const std::string& value) {
    w95::TIniFile("plimbo.ini").WriteText("plimbo", key, value);
  }
  std::string Text(const std::string& name) { return session.GetUser().TextOf(name); }

  w95::platform::sim::SimMachine machine;
  Session session;
};

}  // namespace print_test
