// Knocks at every door: each story of a window family is run once to count
// the moments at which the library lets other code run (a pump, a message
// to the host), then again and again, each time doing one thing the host or
// the user can do at the k-th of those moments. Every run must end without a
// crash (run under the sanitizers), with every window freed and the exports
// at rest.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/editor_form.h"
#include "explorer/file_form.h"
#include "explorer/remote_dlg.h"
#include "explorer/remote_win.h"
#include "exports/library.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_profiles.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/form_registry.h"
#include "ui/test_session.h"
#include "ui/text_metrics.h"
#include "video/video_form.h"

namespace {

using w95::explorer::ExplorerWindow;
using w95::explorer::TFileForm;
using w95::platform::sim::SimPrinter;
using w95::ui::Form;
using w95::ui::MediaButton;
using w95::video::Video;

constexpr uintptr_t kHost = 0x4242;
constexpr char kClip[] = "C:\\Clips\\Holiday Movie.avi";

enum class Knock { HostClose, UserClose, Escape, SecondOpen, StatusExports, PrintEnd };
constexpr Knock kKnocks[] = {Knock::HostClose,  Knock::UserClose,     Knock::Escape,
                             Knock::SecondOpen, Knock::StatusExports, Knock::PrintEnd};

const char* NameOf(Knock k) {
  switch (k) {
    case Knock::HostClose:
      return "host close";
    case Knock::UserClose:
      return "user close";
    case Knock::Escape:
      return "Escape";
    case Knock::SecondOpen:
      return "second open";
    case Knock::StatusExports:
      return "status and update";
    case Knock::PrintEnd:
      return "PrintEnd";
  }
  return "?";
}

// One run: a fresh simulated machine with a clip, a picture folder and
// printers; counts the doors and knocks at one of them.
class World {
 public:
  World(int knockAt, Knock knock) : knockAt_(knockAt), knock_(knock) {
    machine.Install();
    auto m = w95::platform::Current();
    if (m.profiles == nullptr) {
      m.profiles = &profiles;
      w95::platform::Install(m);
    }
    w95::ui::headless::TestMetrics() = {};
    w95::print::State() = {};
    machine.desktop.SetScreen(1024, 768);
    machine.media.AddClip(kClip, w95::platform::sim::SimClip{320, 240, 100});
    machine.printer.Install({SimPrinter::Page600(), SimPrinter::A4()});
    machine.files.AddFolder("C:\\WINDOWS");
    machine.files.AddFile("C:\\Pics\\b.jpg");
    machine.files.AddFile("C:\\Pics\\A Long Name.bmp");
    machine.files.AddFolder("c:\\pics\\sub");
    machine.files.AddFile("C:\\Pics\\sub\\c.bmp");
    Ini().WriteText("plimbo", "SaveName", machine.files.ShortPath(kClip));
    Ini().WriteText("plimbo", "LastDir", "c:\\pics\\");
    session.AnswerAnyMessage();
    session.OnPump([this] { Door(); });
    machine.host.onSend = [this](const w95::platform::sim::SentMessage&) {
      Door();
      return intptr_t{0};
    };
  }
  ~World() {
    session.OnPump(nullptr);
    machine.host.onSend = nullptr;
  }

  static w95::TIniFile Ini() { return w95::TIniFile("plimbo.ini"); }
  int Doors() const { return doors_; }
  // The editor's stories: a second open is a second EditorWin95 too.
  void ForEditor() { editor_ = true; }
  bool Knocked() const { return knocked_; }

  // Closes what is still open as a host does when it quits, lets the
  // pending messages run, and tells what is not at rest.
  std::vector<std::string> Rest() {
    session.OnPump(nullptr);
    machine.host.onSend = nullptr;
    w95::VideoWinClose();
    w95::VideoWinClose();
    w95::RemoteWinClose();
    w95::PrintEnd();
    if (auto* f = w95::print::State().PrintForm) f->BtnClose.UserClick();
    w95::ui::Application().ProcessMessages();
    std::vector<std::string> wrong;
    if (!w95::ui::detail::Forms().empty())
      wrong.push_back(std::to_string(w95::ui::detail::Forms().size()) +
                      " form(s) not freed, first '" + w95::ui::detail::Forms().front()->Name() +
                      "'");
    if (w95::ui::HandlersRunning()) wrong.push_back("a handler scope left open");
    if (w95::VideoWinStatus() != 0)
      wrong.push_back("video status " + std::to_string(w95::VideoWinStatus()));
    if (Video().form || Video().opening || Video().closing || Video().resizing)
      wrong.push_back("video state busy");
    if (machine.media.IsOpen()) wrong.push_back("the media device left open");
    if (ExplorerWindow()) wrong.push_back("explorer window still registered");
    if (w95::PrintCheck() != 0 || w95::print::State().PrintForm)
      wrong.push_back("print window still open");
    if (machine.printer.Printing()) wrong.push_back("a print job left open");
    return wrong;
  }

  w95::platform::sim::SimMachine machine;
  w95::platform::sim::SimProfileStore profiles{&machine.files};
  w95::ui::test::Session session;

 private:
  void Door() {
    if (++doors_ != knockAt_ || knocked_) return;
    knocked_ = true;
    Do(knock_);
  }
  void Do(Knock k) {
    switch (k) {
      case Knock::HostClose:
        w95::VideoWinClose();
        w95::VideoWinClose();
        w95::RemoteWinClose();
        break;
      case Knock::UserClose:
        // A message box or popup menu leaves the user no form to act on.
        if (session.InMessageBox()) break;
        if (Form* f = w95::ui::detail::ActiveForm()) f->UserClosing();
        break;
      case Knock::Escape:
        if (session.InMessageBox()) break;
        if (Form* f = w95::ui::detail::ActiveForm()) {
          int key = w95::ui::vkEscape;
          if (!f->UserPreviewKey(key, 0)) f->UserDialogKey(w95::ui::vkEscape, 0);
        }
        break;
      case Knock::SecondOpen:
        w95::VideoWinPlayer(kHost, 0, 0);
        w95::RemoteWin(kHost, 0);
        w95::PrintDlg(kHost, 640, 480, 0);
        if (editor_) w95::EditorWin();
        break;
      case Knock::StatusExports:
        w95::VideoWinStatus();
        w95::RemoteWinUpdate();
        w95::PrintCheck();
        break;
      case Knock::PrintEnd:
        w95::PrintEnd();
        break;
    }
  }
  int doors_ = 0;
  int knockAt_;
  Knock knock_;
  bool knocked_ = false;
  bool editor_ = false;
};

// ---- The stories. Each step finds its window again: a knock may have
// closed it (the family's pointer is then empty) or opened another.

TFileForm* ExplorerWin() { return ExplorerWindow(); }
w95::video::TVideoForm* VideoWin() { return Video().form; }
w95::print::TPrintForm* PrintWin() { return w95::print::State().PrintForm; }

void VideoStory(World&) {
  if (w95::VideoWinPlayer(kHost, 0, 0) != 1) return;
  if (auto* f = VideoWin()) f->MediaPlayer1.UserButtonClick(MediaButton::Play);
  if (auto* f = VideoWin(); f && f->Timer1.Running()) f->Timer1.Fire();
  if (auto* f = VideoWin()) f->UserResized(400, 330);
  if (auto* f = VideoWin()) {
    int key = '2';
    f->UserPreviewKey(key, w95::ui::ssCtrl);  // zoom to twice the size
  }
  if (auto* f = VideoWin(); f && f->Timer1.Running()) f->Timer1.Fire();
  if (auto* f = VideoWin(); f && f->mnuGrab->Visible()) f->mnuGrab->Click();  // 0x913 to the host
  if (auto* f = VideoWin()) f->MediaPlayer1.UserButtonClick(MediaButton::Stop);
  if (auto* f = VideoWin(); f && f->Timer1.Running()) f->Timer1.Fire();  // the stop's tick closes
  w95::VideoWinStatus();
  w95::VideoWinClose();
  w95::VideoWinClose();
}

void ExplorerWindowStory(World&) {
  w95::RemoteWin(kHost, 0);
  if (auto* f = ExplorerWin(); f && f->XFiles.Count() > 1) f->XFiles.UserSelect(1);
  if (auto* f = ExplorerWin()) f->BtnOK.UserClick();  // 0x911: one file
  if (auto* f = ExplorerWin()) f->mnuFInfo->Click();
  w95::RemoteWinUpdate();
  if (auto* f = ExplorerWin(); f && f->XFiles.Count() > 0) {
    f->XFiles.UserSelect(0);  // into the sub-folder
    if ((f = ExplorerWin())) f->XFiles.UserDblClick();
  }
  w95::RemoteWinHide();
  w95::RemoteWin(kHost, 0);
  if (auto* f = ExplorerWin()) f->BtnExit.UserClick();
  w95::RemoteWinClose();
}

void PrintStory(World&) {
  w95::PrintDlg(kHost, 640, 480, 0);
  if (auto* f = PrintWin()) f->BtnPrintIt.UserClick();  // 0x912 to the host
  w95::PrintCheck();
  w95::PrintEnd();  // the host has drawn its picture
  w95::PrintDlg(kHost, 320, 200, 1);
  if (auto* f = PrintWin()) f->BtnClose.UserClick();
}

void ExplorerDialogStory(World& w) {
  w.session.WhenModal<TFileForm>([](w95::ui::test::User&, TFileForm& f) {
    auto open = [&f] { return f.Visible() && f.GetModalResult() == w95::ui::mrNone; };
    if (open() && f.XFiles.Count() > 0) f.XFiles.UserSelect(0);
    if (open()) f.XFiles.UserDblClick();  // into the sub-folder
    if (open() && f.XFiles.Count() > 1) f.XFiles.UserSelect(1);
    if (open()) f.BtnOK.UserClick();
    if (open()) f.BtnExit.UserClick();
    if (f.GetModalResult() == w95::ui::mrNone) f.Close();
  });
  w95::RemoteDlg(8, 0);
}

// The editor is modal: its stories run inside it, and the explorer dialog
// it opens, its message boxes and menus are doors as well (each runs its
// own loop). The script a step finds may already be closed.
using w95::editor::TEditorForm;
constexpr char kShow[] =
    "[Header]\r\nVer=5\r\nN=3\r\nCat=ABCDE\r\n"
    "[Directory]\r\n0=c:\\pics\\\r\n"
    "[1]\r\nF=b.jpg,0\r\nX=0\r\n"
    "[2]\r\nF=sub\\c.bmp,0\r\nX=2\r\n";

bool Open(const Form& f) { return f.Visible() && f.GetModalResult() == w95::ui::mrNone; }

// Whatever explorer dialog the editor opens: slides are added by marking the
// folder's files, a script is saved as "show".
void AnswerExplorer(w95::ui::test::User& u, TFileForm& f) {
  if (Open(f) && f.Caption() == "Add Multiple Slides") {
    f.FileMenuClick(*f.MarkDirectory);
  } else if (Open(f) && f.Edit1.Enabled() && &u.ActiveForm() == &f) {
    u.Type("Edit1", "show");
  }
  if (Open(f)) f.BtnOK.UserClick();
  if (Open(f)) f.BtnExit.UserClick();
  if (f.GetModalResult() == w95::ui::mrNone) f.Close();
}

void RunEditor(World& w, const char* script,
               std::function<void(w95::ui::test::User&, TEditorForm&)> steps) {
  w.ForEditor();
  w.machine.files.AddFolder("c:\\viewer");
  w.machine.files.AddFile("c:\\shows\\trip.avl", kShow);
  auto ini = World::Ini();
  ini.WriteText("plimbo", "AVLFIL", script);
  ini.WriteText("plimbo", "AVLNOW", script);
  ini.WriteText("plimbo", "AVLTMP", "c:\\viewer\\avltmp.avl");
  ini.WriteText("plimbo", "AppDir", "c:\\viewer");
  ini.WriteText("plimbo", "Win95Tmp", "c:\\viewer\\plimbo.tmp");
  w.session.DialogsLetMessagesRun();
  w.session.WhenModal<TEditorForm>([steps](w95::ui::test::User& u, TEditorForm& f) {
    steps(u, f);
    // The user leaves at last, keeping nothing that could not be saved.
    if (Open(f)) f.BtnQuit.UserClick();
    if (f.GetModalResult() == w95::ui::mrNone) {
      f.State().Modified = false;
      f.BtnQuit.UserClick();
    }
  });
  for (int i = 0; i < 8; ++i) w.session.WhenModal<TFileForm>(&AnswerExplorer);
  // Whatever came in meanwhile, the host is told to play only a script
  // that was written whole.
  if (w95::EditorWin() == -1) {
    const auto written = w.machine.files.ReadFile("c:\\viewer\\avltmp.avl");
    EXPECT_TRUE(written && written->find("[Header]") == 0) << "-1 without a test script";
  }
}

void Click(TEditorForm& f, w95::ui::Button& b) {
  if (Open(f) && b.Enabled()) b.UserClick();
}

void EditorAddSaveStory(World& w) {
  RunEditor(w, "*", [](w95::ui::test::User&, TEditorForm& f) {
    Click(f, f.BtnAdd);
    Click(f, f.BtnAdd);
    Click(f, f.BtnSave);
  });
}

void EditorTestStory(World& w) {
  RunEditor(w, "c:\\shows\\trip.avl", [](w95::ui::test::User&, TEditorForm& f) {
    Click(f, f.BtnDelete);
    Click(f, f.BtnTest);
  });
}

void EditorThumbnailsStory(World& w) {
  RunEditor(w, "c:\\shows\\trip.avl", [](w95::ui::test::User&, TEditorForm& f) {
    if (Open(f)) f.Tab.UserSelected(1);
    if (Open(f)) f.Thumbs.PageDown();
    if (Open(f)) f.Tab.UserSelected(0);
    Click(f, f.BtnCatalog);
  });
}

void EditorCloseUnsavedStory(World& w) {
  RunEditor(w, "c:\\shows\\trip.avl", [](w95::ui::test::User&, TEditorForm& f) {
    Click(f, f.BtnAdd);
    Click(f, f.BtnQuit);  // not discarded: saved under a new name
  });
}

struct Story {
  const char* name;
  void (*run)(World&);
};
constexpr Story kStories[] = {
    {"video window", &VideoStory},
    {"explorer window", &ExplorerWindowStory},
    {"print setup", &PrintStory},
    {"explorer dialog", &ExplorerDialogStory},
    {"editor add and save", &EditorAddSaveStory},
    {"editor test", &EditorTestStory},
    {"editor thumbnails", &EditorThumbnailsStory},
    {"editor close unsaved", &EditorCloseUnsavedStory},
};

class Reentry : public ::testing::TestWithParam<Story> {};

TEST_P(Reentry, EveryKnockAtEveryDoorEndsAtRest) {
  const Story story = GetParam();
  int doors = 0;
  {
    World w(-1, Knock::HostClose);
    story.run(w);
    doors = w.Doors();
    const auto wrong = w.Rest();
    ASSERT_TRUE(wrong.empty()) << "undisturbed: " << wrong.front();
  }
  ASSERT_GT(doors, 0) << "the story never lets messages run";
  std::printf("%s: %d doors\n", story.name, doors);
  for (Knock knock : kKnocks) {
    for (int k = 1; k <= doors; ++k) {
      SCOPED_TRACE(std::string(NameOf(knock)) + " at door " + std::to_string(k));
      World w(k, knock);
      story.run(w);
      EXPECT_TRUE(w.Knocked());
      const auto wrong = w.Rest();
      for (const auto& what : wrong) ADD_FAILURE() << what;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Stories, Reentry, ::testing::ValuesIn(kStories),
                         [](const ::testing::TestParamInfo<Story>& story) {
                           std::string n = story.param.name;
                           for (char& c : n)
                             if (c == ' ') c = '_';
                           return n;
                         });

}  // namespace
