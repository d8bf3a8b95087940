// The Win32 backend: modal loops with IsDialogMessage, message boxes, timers
// on the application window, cursors, popup menus and the common dialogs.
// Under a test session (an installed automation), scripts run inside the modal loop and message
// boxes and common dialogs are answered through a CBT hook once they are active.
#include <windows.h>
#include <commdlg.h>

#include <cctype>
#include <map>
#include <set>
#include <vector>

#include "platform/platform.h"
#include "ui/application.h"
#include "ui/automation.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/form_registry.h"
#include "ui/menu.h"
#include "ui/screen.h"
#include "ui/timer.h"
#include "ui/win32/win32_backend.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

std::map<UINT_PTR, Timer*> timers;
int ownLoops = 0;    // our modal loop or PumpPending is fetching messages
int modalLoops = 0;  // RunModal is running (its loop gives every form its keys)
void SyncModelessHook();
UINT_PTR nextTimer = 1;
LastBox lastBox;

constexpr UINT kFreeReleased = WM_APP + 0x96;
constexpr UINT kEndMenu = WM_APP + 0x97;

LRESULT CALLBACK AppProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kEndMenu) {
    EndMenu();
    return 0;
  }
  if (msg == kFreeReleased) {
    // Not under Safely: that counts as a running handler and would keep the
    // forms alive. Destroying a form does not throw.
    Application().FreeReleasedForms();
    return 0;
  }
  if (msg == WM_TIMER) {
    auto it = timers.find(wp);
    if (it != timers.end()) Safely([&] { it->second->Fire(); });
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

// ---- Answering boxes and dialogs of a test session.
struct Answer {
  bool active = false;
  std::string title;  // the window to answer, by its title
  int button = 0;     // the command posted to it
};
Answer pendingAnswer;
HHOOK cbtHook = nullptr;

std::string TextOf(HWND h) {
  wchar_t buf[1024] = {};
  GetWindowTextW(h, buf, 1024);
  return ShownText(buf);
}

BOOL CALLBACK CollectButton(HWND child, LPARAM lp) {
  char cls[32] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Button") == 0 && (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE))
    reinterpret_cast<std::vector<std::string>*>(lp)->push_back(TextOf(child));
  return TRUE;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && pendingAnswer.active) {
    HWND h = reinterpret_cast<HWND>(wp);
    if (TextOf(h) == pendingAnswer.title) {
      pendingAnswer.active = false;
      lastBox.title = TextOf(h);
      lastBox.text = TextOf(GetDlgItem(h, 0xFFFF));
      lastBox.buttons.clear();
      EnumChildWindows(h, &CollectButton, reinterpret_cast<LPARAM>(&lastBox.buttons));
      PostMessageA(h, WM_COMMAND, MAKEWPARAM(pendingAnswer.button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(h, pendingAnswer.button)));
    }
  }
  return CallNextHookEx(cbtHook, code, wp, lp);
}

// Answers the next window titled `title` with `button` while fn runs.
template <class Fn>
auto Answering(const std::string& title, int button, Fn fn) {
  pendingAnswer = {true, title, button};
  cbtHook = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
  struct Unhook {
    ~Unhook() {
      UnhookWindowsHookEx(cbtHook);
      cbtHook = nullptr;
      pendingAnswer.active = false;
    }
  } unhook;
  return fn();
}

HWND OwnerWindow() {
  if (Form* f = detail::ActiveForm(); f && f->Handle()) return reinterpret_cast<HWND>(f->Handle());
  return AppWindow();
}

// Windows of this thread that a modal form disables while it runs.
struct TaskWindows {
  std::vector<HWND> disabled;
  HWND except;
  explicit TaskWindows(HWND modal) : except(modal) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
    for (HWND h : disabled) EnableWindow(h, FALSE);
  }
  ~TaskWindows() { Restore(); }
  void Restore() {
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    disabled.clear();
  }
  static BOOL CALLBACK Collect(HWND h, LPARAM lp) {
    auto* self = reinterpret_cast<TaskWindows*>(lp);
    if (h != self->except && IsWindowVisible(h) && IsWindowEnabled(h)) self->disabled.push_back(h);
    return TRUE;
  }
};

// The time stamp of the last key pressed in a form (PreTranslate notes it):
// the characters a key makes arrive later, with a time of their own.
DWORD lastKeyTime = 0;

class Win32Backend final : public Backend {
 public:
  std::unique_ptr<Peer> CreatePeer(Control& control) override { return MakePeer(control); }

  ModalResult RunModal(Form& form) override {
    FlushPendingPeers();
    HWND h = reinterpret_cast<HWND>(form.Handle());
    HWND previous = GetActiveWindow();
    // The host's loop waits meanwhile: the modeless forms' hook is not needed.
    struct Running {
      Running() {
        ++modalLoops;
        SyncModelessHook();
      }
      ~Running() {
        --modalLoops;
        SyncModelessHook();
      }
    } running;
    TaskWindows disabled(h);
    form.Show();
    SetActiveWindow(h);
    if (Automation* s = ActiveAutomation()) QueueScript(form, s->TakeModalScript(form));
    MSG msg;
    while (form.GetModalResult() == mrNone && !HasParkedFailure()) {
      ++ownLoops;
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      --ownLoops;
      if (got <= 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        form.SetModalResult(mrCancel);
        break;
      }
      PumpMessage(msg);
      Application().FreeReleasedForms();
    }
    // The windows come back before the form goes, and the one that was
    // active is active again: else the system hands the activation to no
    // window of ours and the keyboard user is left with nowhere to type.
    disabled.Restore();
    form.EndModal();
    if (previous && previous != h && IsWindow(previous) && IsWindowVisible(previous))
      SetActiveWindow(previous);
    RethrowParkedFailure();
    return form.GetModalResult();
  }

  void ProcessMessages() override { PumpPending(); }

  MenuItem* TrackPopup(PopupMenu& menu, Point at) override {
    HMENU h = BuildMenu(menu, false);
    MenuItem* chosen = nullptr;
    Automation* s = ActiveAutomation();
    if (s) {
      // Under a test the menu is shown for real and closed again at once
      // (the posted message runs inside the menu's own loop); the script
      // says which item the user chose.
      chosen = s->TakePopupAnswer(menu);
      PostMessageA(AppWindow(), kEndMenu, 0, 0);
    }
    const UINT cmd = static_cast<UINT>(TrackPopupMenu(
        h, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, OwnerWindow(), nullptr));
    if (!s) chosen = cmd ? FindMenuCommand(cmd) : nullptr;
    DestroyMenu(h);
    return chosen;
  }

  ModalResult Message(MsgKind kind, std::string_view text, Buttons buttons) override {
    UINT type = MB_TASKMODAL;
    switch (kind) {
      case MsgKind::Warning:
        type |= MB_ICONWARNING;
        break;
      case MsgKind::Error:
        type |= MB_ICONERROR;
        break;
      case MsgKind::Information:
        type |= MB_ICONINFORMATION;
        break;
      case MsgKind::Confirm:
        type |= MB_ICONQUESTION;
        break;
    }
    switch (buttons) {
      case Buttons::OK:
        type |= MB_OK;
        break;
      case Buttons::YesNo:
        type |= MB_YESNO;
        break;
      case Buttons::YesNoCancel:
        type |= MB_YESNOCANCEL;
        break;
      case Buttons::OKCancel:
        type |= MB_OKCANCEL;
        break;
    }
    const std::string body(text);
    const char* title = TitleOf(kind);
    HWND owner = OwnerWindow();
    if (Automation* s = ActiveAutomation()) {
      const ModalResult answer = s->TakeMessageAnswer(kind, text, buttons);
      return static_cast<ModalResult>(Answering(title, answer, [&] {
        return MessageBoxW(owner, WideText(body).c_str(), WideText(title).c_str(), type);
      }));
    }
    return static_cast<ModalResult>(
        MessageBoxW(owner, WideText(body).c_str(), WideText(title).c_str(), type));
  }

  void StartTimer(Timer& t) override {
    const UINT_PTR id = nextTimer++;
    t.backendId = id;
    timers[id] = &t;
    SetTimer(AppWindow(), id, t.Interval(), nullptr);
  }

  void StopTimer(Timer& t) override {
    KillTimer(AppWindow(), t.backendId);
    timers.erase(t.backendId);
    t.backendId = 0;
  }

  void SetCursor(Cursor c) override { ::SetCursor(CursorHandle(c)); }

  bool PickColor(Color& color) override {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow();
    cc.rgbResult = ColorRef(color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    const BOOL ok = Dialog(
        "Color", [&] { return ChooseColorA(&cc); }, &Automation::TakeColorAnswer);
    if (ok) color = cc.rgbResult;
    return ok;
  }

  bool PickFont(Font& font) override {
    LOGFONTA lf{};
    HDC screen = GetDC(nullptr);
    lf.lfHeight = -MulDiv(font.size, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = OwnerWindow();
    cf.lpLogFont = &lf;
    cf.iPointSize = font.size * 10;
    cf.rgbColors = ColorRef(font.color);
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    const BOOL ok = Dialog(
        "Font", [&] { return ChooseFontA(&cf); }, &Automation::TakeFontAnswer);
    if (ok) {
      font.name = lf.lfFaceName;
      HDC dc = GetDC(nullptr);
      const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
      ReleaseDC(nullptr, dc);
      font.size = lf.lfHeight < 0 ? MulDiv(-lf.lfHeight, 72, dpi) : (cf.iPointSize + 5) / 10;
      font.bold = lf.lfWeight >= FW_BOLD;
      font.italic = lf.lfItalic != 0;
      font.underline = lf.lfUnderline != 0;
      font.color = cf.rgbColors;
    }
    return ok;
  }

  bool RunPrintSetup() override {
    // The printer object's own dialog: what is chosen becomes its printer.
    if (platform::Printer* printer = platform::Current().printer) {
      const HWND owner = OwnerWindow();
      return Dialog(
          "Print Setup",
          [&] { return BOOL(printer->SetupDialog(reinterpret_cast<uintptr_t>(owner))); },
          &Automation::TakePrintSetupAnswer);
    }
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = OwnerWindow();
    pd.Flags = PD_PRINTSETUP;
    const BOOL ok = Dialog(
        "Print Setup", [&] { return PrintDlgA(&pd); }, &Automation::TakePrintSetupAnswer);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return ok;
  }

  void ScheduleFree() override { PostMessageA(AppWindow(), kFreeReleased, 0, 0); }
  void Shutdown() override;
  uintptr_t ApplicationHandle() override { return reinterpret_cast<uintptr_t>(AppWindow()); }
  // A test session keeps the clock of the keys it types.
  uint32_t KeyTime() override {
    if (Automation* a = ActiveAutomation()) return a->Clock();
    return lastKeyTime ? lastKeyTime : static_cast<DWORD>(GetMessageTime());
  }

 private:
  // Runs a common dialog; under a session it is answered OK or Cancel as
  // scripted (the values it returns are the dialog's own).
  template <class Run, class Take>
  BOOL Dialog(const char* title, Run run, Take take) {
    Automation* s = ActiveAutomation();
    if (!s) return run();
    const bool ok = static_cast<bool>((s->*take)());
    return Answering(title, ok ? IDOK : IDCANCEL, run);
  }
};

}  // namespace

const LastBox& LastMessageBox() { return lastBox; }

namespace {
constexpr char kAppClass[] = "W95Application";
HWND appWindow = nullptr;
}  // namespace

HWND AppWindow() {
  if (appWindow && IsWindow(appWindow)) return appWindow;
  WNDCLASSA wc{};
  wc.lpfnWndProc = &AppProc;
  wc.hInstance = Instance();
  wc.lpszClassName = kAppClass;
  RegisterClassA(&wc);
  appWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kAppClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, Instance(), nullptr);
  return appWindow;
}

namespace {

HHOOK getMessageHook = nullptr;
std::set<const WindowPeer*> modelessShown;
int inHook = 0;             // GetMessageProc is running
bool hookOutdated = false;  // to be put right when it returns
int previewingKeys = 0;     // a form's key preview is running

// What a dialog does with a message before it is dispatched: key preview,
// accelerators of labels, IsDialogMessage (Tab, Return, Escape, mnemonics).
// True when the message was used up.
bool PreTranslate(MSG& msg, Form* form) {
  HWND fh = form ? reinterpret_cast<HWND>(form->Handle()) : nullptr;
  if (!fh || !(msg.hwnd == fh || IsChild(fh, msg.hwnd))) return false;
  bool used = false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    lastKeyTime = msg.time;
    int key = static_cast<int>(msg.wParam);
    ++previewingKeys;
    Safely([&] { used = form->UserPreviewKey(key, ShiftState()); });
    --previewingKeys;
    if (used) return true;
    msg.wParam = static_cast<WPARAM>(key);
  }
  // Return on a push button with the focus presses that button, whichever
  // is the default (as after Tab; the form's rule, not the window's style).
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && ShiftState() == ssNone) {
    WindowPeer* p = WindowPeer::From(GetFocus());
    if (p && dynamic_cast<Button*>(&p->GetControl()) && &p->GetControl() == form->ActiveControl()) {
      Safely([&] { used = form->UserDialogKey(vkReturn, ssNone); });
      if (used) return true;
    }
  }
  // Letters: with Alt, or alone where the focused control takes no
  // characters (a button), as dialogs treat them. The form's rule decides
  // (a letter shared by several controls only moves the focus).
  bool letter = msg.message == WM_SYSCHAR;
  if (msg.message == WM_CHAR && msg.hwnd == GetFocus()) {
    const LRESULT code =
        SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    letter = !(code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) && msg.wParam < 0x80 &&
             std::isalnum(static_cast<int>(msg.wParam));
  }
  if (letter) {
    Safely([&] { used = form->UserAccelerator(static_cast<char>(msg.wParam)); });
    if (used) return true;
  }
  return IsDialogMessageW(fh, &msg) != 0;
}

// Modeless forms live on the host's message loop, which knows nothing of
// them: a message hook gives them the same dialog keys. It is there only
// while such a form is on screen and no modal loop of ours runs: under the
// system's windowing every message that any loop of the thread fetches
// costs a few more round trips to it while a hook is set.
LRESULT CALLBACK GetMessageProc(int code, WPARAM wp, LPARAM lp) {
  ++inHook;
  if (code == HC_ACTION && wp == PM_REMOVE && ownLoops == 0) {
    Safely([] { FlushPendingPeers(); });
    MSG* msg = reinterpret_cast<MSG*>(lp);
    if (msg->hwnd && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
      WindowPeer* p = WindowPeer::From(GetAncestor(msg->hwnd, GA_ROOT));
      auto* form = p ? dynamic_cast<Form*>(&p->GetControl()) : nullptr;
      if (form && !form->Modal() && PreTranslate(*msg, form)) msg->message = WM_NULL;
    }
  }
  const LRESULT result = CallNextHookEx(getMessageHook, code, wp, lp);
  // A form closed or a modal loop began meanwhile: the hook is taken off
  // only now, its own call over.
  if (--inHook == 0 && hookOutdated) SyncModelessHook();
  return result;
}

// Sets or removes the hook as the modeless forms on screen and the modal
// loops need it.
void SyncModelessHook() {
  const bool wanted = !modelessShown.empty() && modalLoops == 0;
  if (wanted == (getMessageHook != nullptr)) {
    hookOutdated = false;
    return;
  }
  if (!wanted && inHook > 0) {
    hookOutdated = true;
    return;
  }
  hookOutdated = false;
  if (wanted) {
    getMessageHook =
        SetWindowsHookExW(WH_GETMESSAGE, &GetMessageProc, nullptr, GetCurrentThreadId());
  } else {
    UnhookWindowsHookEx(getMessageHook);
    getMessageHook = nullptr;
  }
}

}  // namespace

// Nothing of ours may be left to call into the library once it is unloaded:
// no timer, no hook, no window of its classes, no class.
void Win32Backend::Shutdown() {
  for (auto& [id, t] : timers) {
    if (appWindow) KillTimer(appWindow, id);
    t->backendId = 0;
  }
  timers.clear();
  if (getMessageHook) UnhookWindowsHookEx(getMessageHook);
  getMessageHook = nullptr;
  modelessShown.clear();
  hookOutdated = false;
  if (cbtHook) UnhookWindowsHookEx(cbtHook);
  cbtHook = nullptr;
  if (appWindow && IsWindow(appWindow)) DestroyWindow(appWindow);
  appWindow = nullptr;
  UnregisterClassA(kAppClass, Instance());
  UnregisterContainerClass();
  ReleaseGdiCache();
}

bool ModelessKeysHooked() { return getMessageHook != nullptr; }

void ModelessShown(const WindowPeer& form, bool shown) {
  if (shown ? modelessShown.insert(&form).second : modelessShown.erase(&form) > 0)
    SyncModelessHook();
}

void PumpMessage(MSG& msg) {
  FlushPendingPeers();
  if (PreTranslate(msg, detail::ActiveForm())) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void PumpPending() {
  MSG msg;
  ++ownLoops;
  struct Leave {
    ~Leave() { --ownLoops; }
  } leave;
  // Messages run while a key is previewed leave the keys and clicks that
  // came after it queued: run now, they would be handled before that key
  // and text typed ahead would come out backwards. Timers wait for those
  // keys too, as they do in the loop (a timer comes only once no input is
  // queued): one run here would see the text of half the keys typed.
  const UINT noInput = previewingKeys ? PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE : 0;
  for (;;) {
    if (previewingKeys) {
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | noInput) || msg.message == WM_TIMER)
        break;
      if (!PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE | noInput)) continue;
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      break;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    PumpMessage(msg);
  }
}

}  // namespace w95::ui::win32

namespace w95::ui {

Backend& DefaultBackend() {
  static win32::Win32Backend backend;
  return backend;
}

}  // namespace w95::ui
