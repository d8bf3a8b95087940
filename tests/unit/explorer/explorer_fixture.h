// A simulated machine with a settings store, and small helpers for the
// explorer dialog's scenarios.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "explorer/file_form.h"
#include "explorer/remote_dlg.h"
#include "explorer/remote_win.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_profiles.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/test_session.h"
#include "ui/text_metrics.h"

namespace explorer_test {

using w95::explorer::TFileForm;
using w95::ui::MsgKind;
using w95::ui::test::Session;
using w95::ui::test::User;

class Explorer : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.Install();
    auto m = w95::platform::Current();
    if (m.profiles == nullptr) {
      m.profiles = &profiles;
      w95::platform::Install(m);
    }
    w95::ui::headless::TestMetrics() = {};
    machine.files.AddFolder("C:\\WINDOWS");
  }
  std::string Key(const std::string& key) const {
    return w95::TIniFile("plimbo.ini").ReadText("plimbo", key, "ERROR");
  }
  void SetKey(const std::string& key, const std::string& value) {
    w95::TIniFile("plimbo.ini").WriteText("plimbo", key, value);
  }
  std::string Exchange(const std::string& section, const std::string& key) const {
    return w95::TIniFile("c:\\plimbo.tmp").ReadText(section, key, "ERROR");
  }
  // Runs the dialog with a script for the form.
  int32_t Run(int32_t kind, int32_t restrict, std::function<void(User&, TFileForm&)> script) {
    session.WhenModal<TFileForm>(std::move(script));
    return w95::explorer::RunRemoteDlg(kind, restrict);
  }

  w95::platform::sim::SimMachine machine;
  w95::platform::sim::SimProfileStore profiles{&machine.files};
  Session session;
};

// The explorer window (modeless) for a test that opens it; closed after it.
class ExplorerWindowTest : public Explorer {
 protected:
  void TearDown() override {
    w95::explorer::RemoteWinClose();
    w95::ui::Application().ProcessMessages();
    Explorer::TearDown();
  }
  TFileForm& OpenWindow() {
    w95::explorer::RunRemoteWin(0x4242, false);
    shown = w95::explorer::ExplorerWindow();
    return *shown;
  }
  TFileForm* shown = nullptr;
};

}  // namespace explorer_test
