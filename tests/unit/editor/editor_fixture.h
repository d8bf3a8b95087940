// The editor window on the simulated machine: the host's keys, slide files,
// an explorer that answers as a user would, and a session for the window.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/editor_form.h"
#include "editor/scrl_dlg.h"
#include "editor/script_model.h"
#include "platform/sim/sim_machine.h"
#include "settings/exchange.h"
#include "settings/ini_file.h"
#include "ui/input_box.h"
#include "ui/screen.h"
#include "ui/test_session.h"
#include "ui/text_metrics.h"

namespace editor_test {

using w95::editor::TEditorForm;
using w95::editor::TScrlDlg;
using w95::ui::MsgKind;
using w95::ui::test::Session;
using w95::ui::test::User;
namespace ed = w95::editor;

// A generation-5 script of a graphic, a video, an audio file and a CD track.
inline const char* kGen5Script =
    "[Header]\r\nVer=5\r\nN=5\r\nCat=ABCDE\r\n"
    "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n"
    "[1]\r\nF=sunset.bmp,1\r\nB=255\r\nX=19\r\nW=5\r\nG=64\r\n"
    "[2]\r\nF=clip.avi,1\r\nX=2\r\nL=80\r\n"
    "[3]\r\nF=song.wav,1\r\nX=0\r\n"
    "[4]\r\nF=------------------------------\r\nX=7\r\n";

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.desktop.SetScreen(800, 600);
    machine.files.AddFolder("c:\\viewer");
    machine.files.AddFolder("c:\\shows");
    for (const char* f : {"c:\\pics\\sunset.bmp", "c:\\pics\\clip.avi", "c:\\pics\\song.wav",
                          "c:\\pics\\anim.flc", "c:\\pics\\movie.mov", "c:\\pics\\beach.jpg",
                          "c:\\pics\\next.avl", "c:\\other\\tree.bmp"})
      machine.files.AddFile(f, "data");
    machine.files.AddFile("c:\\shows\\trip.avl", kGen5Script);
    machine.Install();
    w95::ui::headless::TestMetrics() = {};
    SetKey("AVLTMP", "c:\\viewer\\avltmp.avl");
    SetKey("AppDir", "c:\\viewer");
    SetKey("Win95Tmp", "c:\\viewer\\plimbo.tmp");
    saved = ed::EditorExplorer();
    ed::EditorExplorer() = [this](int32_t kind, int32_t) {
      kinds.push_back(kind);
      if (answers.empty()) throw w95::ui::ScriptFailure("unexpected explorer call");
      auto answer = std::move(answers.front());
      answers.pop_front();
      return answer(kind);
    };
  }
  void TearDown() override {
    ed::EditorExplorer() = saved;
    EXPECT_TRUE(answers.empty()) << "explorer answers left over";
    EXPECT_TRUE(session.Unused().empty()) << "scripted but never seen";
  }

  std::string Key(const std::string& key) const {
    return w95::TIniFile("plimbo.ini").ReadText("plimbo", key, "ERROR");
  }
  void SetKey(const std::string& key, const std::string& value) {
    w95::TIniFile("plimbo.ini").WriteText("plimbo", key, value);
  }
  std::string FileText(const std::string& path) {
    return machine.files.ReadFile(path).value_or("<missing>");
  }

  // The explorer's answers, in order.
  void ExplorerCancels() {
    answers.push_back([](int) { return -1; });
  }
  void ExplorerChooses(const std::string& name) {
    answers.push_back([this, name](int) {
      SetKey("Savename", name);
      return 0;
    });
  }
  void ExplorerAdds(const std::string& folder, std::vector<std::string> files) {
    answers.push_back([folder, files](int) {
      w95::WriteFileList("c:\\viewer\\plimbo.tmp", {folder, files});
      return 0;
    });
  }

  // Runs the editor as the host does, with a script for the window.
  // Dialogs scripted before the run appear inside the editor, so they are
  // queued after it.
  int32_t Run(std::function<void(User&, TEditorForm&)> script) {
    session.WhenModal<TEditorForm>(std::move(script));
    for (auto& queue : pending) queue();
    pending.clear();
    return ed::RunEditorWin();
  }
  void StartWith(const std::string& script) {
    SetKey("AVLFIL", script);
    SetKey("AVLNOW", script);
  }
  // The user picks a cell and opens it (double click).
  static void Open(User& u, int col, int row) {
    u.SelectCell("Grid", col, row);
    u.DoubleClick("Grid");
  }
  // The value dialog appears: the user types a value and confirms, or cancels.
  void ValueDialog(const std::string& caption, int value) {
    pending.push_back([this, caption, value] {
      session.WhenModal<TScrlDlg>([caption, value](User& u, TScrlDlg& d) {
        EXPECT_EQ(d.Caption(), caption);
        if (value < 0) {
          u.Click("BtnCancel");
        } else {
          u.Scroll("CustomScrollBar", value);
          u.Click("BtnOK");
        }
      });
    });
  }
  // The input box appears: the user types and confirms.
  void InputAnswer(const std::string& text) {
    pending.push_back([this, text] {
      session.WhenModal<w95::ui::InputBoxForm>([text](User& u, w95::ui::InputBoxForm&) {
        u.Type("Value", text);
        u.Click("BtnOK");
      });
    });
  }
  // Fills the grid with graphics a.bmp, b.bmp ... without the explorer.
  static void Fill(TEditorForm& f, int n) {
    f.Grid.SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
      const std::string name(1, static_cast<char>('a' + (r - 1) % 26));
      f.Grid.SetCell(ed::kColPath, r, "c:\\pics\\" + name + ".bmp");
      f.Grid.SetCell(ed::kColName, r, name + ".bmp");
      ed::SetUpGraphic(f.Grid, r);
    }
    ed::Renumber(f.Grid);
    f.EnableControls();
  }
  static std::vector<std::string> Names(const TEditorForm& f) {
    std::vector<std::string> names;
    for (int r = 1; r < f.Grid.RowCount(); ++r) names.push_back(f.Grid.Cell(ed::kColName, r));
    return names;
  }

  w95::platform::sim::SimMachine machine;
  Session session;
  std::deque<std::function<int32_t(int)>> answers;
  std::vector<int> kinds;
  std::vector<std::function<void()>> pending;
  ed::ExplorerCall saved;
};

}  // namespace editor_test
