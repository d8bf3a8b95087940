// The list box's peer: entries sent whole or spliced in place, the
// selection read and sent in one go, owner drawing, and a new native list
// when a style it reads only at creation changes on screen; with columns,
// a header control above the list, whose clicks go to the list box.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "ui/list_box.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

class ListPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  ~ListPeer() override { DropHeader(); }
  ListBox& List() { return static_cast<ListBox&>(control_); }
  int ScrollPlace() const override {
    return static_cast<int>(SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0));
  }

  // ---- The header: a sibling of the list box, above it within the
  // control's bounds. Its notifications reach this peer through the parent
  // (it is linked to the peer).
  HWND header_ = nullptr;
  void DropHeader() {
    if (!header_) return;
    Unlink(header_, this);
    DestroyWindow(header_);
    header_ = nullptr;
  }
  void SyncHeader() {
    ListBox& lb = List();
    if (lb.Header().empty()) {
      if (header_) {
        DropHeader();
        Place();
      }
      return;
    }
    if (!header_) {
      EnsureCommonControls();
      header_ = CreateWindowExA(0, WC_HEADERA, "",
                                WS_CHILD | WS_CLIPSIBLINGS | HDS_BUTTONS | HDS_HORZ |
                                    (control_.Visible() ? WS_VISIBLE : 0),
                                0, 0, 0, 0, GetParent(hwnd_), nullptr, Instance(), nullptr);
      if (!header_) return;
      Link(header_, this);
      SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(control_.GetFont())),
                   FALSE);
    }
    HeaderItems();
    Place();
  }
  void HeaderItems() {
    ListBox& lb = List();
    if (!header_) return;
    const int n = static_cast<int>(lb.Header().size());
    updating_ = true;
    while (SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0) > n)
      SendMessageA(header_, HDM_DELETEITEM, static_cast<WPARAM>(n), 0);
    for (int i = 0; i < n; ++i) {
      const HeaderColumn& col = lb.Header()[static_cast<size_t>(i)];
      std::string caption = col.caption;
      HDITEMA item{};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.pszText = caption.data();
      item.cxy = col.width;
      item.fmt = HDF_STRING | (col.rightAligned ? HDF_RIGHT : HDF_LEFT);
      if (i == lb.SortColumn()) item.fmt |= lb.SortDescending() ? HDF_SORTDOWN : HDF_SORTUP;
      if (i < SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0))
        SendMessageA(header_, HDM_SETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
      else
        SendMessageA(header_, HDM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    updating_ = false;
    Invalidate();
  }
  // The header takes the top of the control's bounds, the list the rest.
  void Place() {
    const Rect& r = control_.Bounds();
    if (!header_) {
      MoveWindow(hwnd_, r.left, r.top, r.width, r.height, TRUE);
      return;
    }
    RECT rc{r.left, r.top, r.left + r.width, r.top + r.height};
    WINDOWPOS wp{};
    HDLAYOUT layout{&rc, &wp};
    SendMessageA(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    SetWindowPos(header_, hwnd_, wp.x, wp.y, wp.cx, wp.cy, SWP_NOACTIVATE);
    MoveWindow(hwnd_, rc.left, rc.top, rc.right - rc.left, std::max(0L, rc.bottom - rc.top), TRUE);
  }
  void Notify(const NMHDR& n) override {
    if (!header_ || n.hwndFrom != header_ || updating_) return;
    const auto& nm = reinterpret_cast<const NMHEADERA&>(n);
    if (n.code == HDN_ITEMCLICKA || n.code == HDN_ITEMCLICKW) {
      List().UserHeaderClick(nm.iItem);
    } else if (n.code == HDN_ITEMCHANGEDA || n.code == HDN_ITEMCHANGEDW) {
      // A column dragged wider or narrower: the rows follow it.
      std::vector<int> widths;
      const LRESULT count = SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0);
      for (LRESULT i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        SendMessageA(header_, HDM_GETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        widths.push_back(item.cxy);
      }
      List().UserColumnWidths(widths);
      Invalidate();
    }
  }
  void Command(WORD code) override {
    if (code != LBN_SELCHANGE || updating_) return;
    ListBox& lb = List();
    // The selected entries in one message, not one message per entry.
    std::vector<bool> sel(static_cast<size_t>(lb.Count()));
    auto mark = [&](LRESULT i) {
      if (i >= 0 && i < lb.Count()) sel[static_cast<size_t>(i)] = true;
    };
    if (lb.MultiSelect()) {
      const LRESULT n = SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0);
      std::vector<int> chosen(static_cast<size_t>(std::max<LRESULT>(n, 0)));
      if (n > 0)
        SendMessageA(hwnd_, LB_GETSELITEMS, static_cast<WPARAM>(n),
                     reinterpret_cast<LPARAM>(chosen.data()));
      for (int i : chosen) mark(i);
    } else {
      mark(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
    }
    shown_.assign(sel.begin(), sel.begin() + Sent());
    // Entries not sent to the native list yet keep their state.
    if (lb.MultiSelect())
      for (int i = Sent(); i < lb.Count(); ++i) sel[static_cast<size_t>(i)] = lb.Selected(i);
    const int focused = static_cast<int>(
        SendMessageA(hwnd_, lb.MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
    lb.UserSelectionChanged(focused, sel);
  }
  void DrawItem(const DRAWITEMSTRUCT& d) override {
    if (static_cast<int>(d.itemID) < 0 || static_cast<int>(d.itemID) >= List().Count()) return;
    HdcCanvas canvas(d.hDC, control_.GetFont());
    unsigned state = odNone;
    if (d.itemState & ODS_SELECTED) state |= odSelected;
    if (d.itemState & ODS_FOCUS) state |= odFocused;
    if (d.itemState & ODS_DISABLED) state |= odDisabled;
    const Rect r{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left,
                 d.rcItem.bottom - d.rcItem.top};
    Guard([&] { List().DrawItem(static_cast<int>(d.itemID), canvas, r, state); });
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
  }
  void MeasureItem(MEASUREITEMSTRUCT& m) override {
    m.itemHeight = static_cast<UINT>(List().ItemHeight());
  }
  void Changed(Prop p) override {
    ListBox& lb = List();
    updating_ = true;
    if (p == Prop::Items && remakePosted_) {
      // A new native list may be on its way: the entries go once, then.
      itemsOwed_ = true;
    } else if (p == Prop::Items && Splice()) {
      // Only the run of entries that changed.
    } else if (p == Prop::Items && KeepHead()) {
      // The entries before the run stay; those from it on go again, in parts.
    } else if (p == Prop::Items) {
      // The whole list is sent again; where the user had scrolled stays. A
      // long list goes in parts, one per turn of the message loop, so that
      // the window keeps answering while it fills.
      const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
      SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
      SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(lb.Count()), 0);
      sent_ = 0;
      storageOwed_ = false;
      wantedTop_ = -1;
      SendPart(lb.Count() <= kWholeList);
      shown_.assign(static_cast<size_t>(sent_), false);
      ShowAndPostRest(top);
    } else if (p == Prop::ItemIndex || p == Prop::Selection) {
      // A few entries change as they are sent; many at once are drawn
      // once, after them (turning drawing back on repaints the list there
      // and then, which a long list pays for at every change).
      const bool many = SelectionRuns() > kQuietRuns;
      if (many) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      SyncSelection();
      if (many) {
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        Invalidate();
      }
    } else if (p == Prop::TopIndex) {
      ShowTop(lb.WantedTopIndex());
    } else if (p == Prop::Cells) {
      HeaderItems();
    } else if (p == Prop::Visible) {
      WindowPeer::Changed(p);
      if (header_) ShowWindow(header_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
    } else if (p == Prop::Font) {
      WindowPeer::Changed(p);
      if (header_) {
        SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(control_.GetFont())),
                     TRUE);
        Place();
      }
    } else if (p == Prop::Style || p == Prop::Bounds) {
      // Windows often set several styles in a row (or set one and take it
      // back): the list is made again once, after them, if still needed.
      // A change that leaves the made styles as they are (the number of
      // columns of a list that has columns) needs no new list: the entries
      // that follow are sent at once.
      if (p == Prop::Style && !remakePosted_ && NeedsRemaking()) {
        remakePosted_ = true;
        PostMessageA(hwnd_, kDeferred, 0, 0);
      }
      if (lb.Columns() > 0 && lb.Header().empty())
        SetColumnWidth(lb.Width() / lb.Columns());
      else if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & LBS_MULTICOLUMN)
        SetColumnWidth(std::max(lb.Width() - 4, 1));
      SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, lb.ItemHeight());
      WindowPeer::Changed(p);
      if (p == Prop::Style) SyncHeader();
      if (header_) Place();
    } else {
      WindowPeer::Changed(p);
    }
    updating_ = false;
  }
  // The column width the native list was given, -1 for none yet. Giving it
  // again costs as much as a change (the list updates its scroll bar and
  // repaints it there and then), and a list only made taller or shorter
  // keeps its width.
  int columnWidth_ = -1;
  void SetColumnWidth(int width) {
    if (width == columnWidth_) return;
    columnWidth_ = width;
    SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width), 0);
  }
  // The styles a list box reads only when it is made.
  static constexpr DWORD kMadeStyles = LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_MULTICOLUMN |
                                       LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_HSCROLL;
  // A style change after the window exists: a new native list in the old
  // one's place (same id, tab order, font and hint), with the entries, the
  // selection and the scroll place carried over.
  void Deferred() override {
    if (fillPosted_) FillMore();
    if (!remakePosted_) return;
    remakePosted_ = false;
    const bool owed = itemsOwed_;
    itemsOwed_ = false;
    if (!Recreate() && owed) Changed(Prop::Items);
  }
  // The next part of a long list sent to the native one: the entries from
  // sent_ on (the native list holds those before it). A part is what a few
  // milliseconds allow (the native list takes longer for each entry as it
  // grows), and never less than a page or two. A list of some thousands
  // goes whole, at once: filling it in turns would cost more than it saves.
  static constexpr int kLeastPart = 512;
  static constexpr int kWholeList = 16384;
  static constexpr auto kPartTime = std::chrono::milliseconds(8);
  int sent_ = 0;
  bool fillPosted_ = false;
  // Room for the entries still to come is asked of the native list with the
  // next part.
  bool storageOwed_ = false;
  int Sent() { return std::min(sent_, List().Count()); }
  void SendPart(bool whole = false) {
    ListBox& lb = List();
    const int count = lb.Count();
    const int from = sent_;
    const auto until = std::chrono::steady_clock::now() + kPartTime;
    int i = from;
    while (i < count) {
      const int stop = std::min(count, i + 128);
      // Straight to the native list: these are its own messages.
      for (; i < stop; ++i)
        CallWindowProcW(original, hwnd_, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(WideText(lb.Item(i)).c_str()));
      if (!whole && i - from >= kLeastPart && std::chrono::steady_clock::now() >= until) break;
    }
    sent_ = i;
  }
  // The first entry to show, once the native list holds it: asked for
  // before its part came, it is shown when it comes, unless the user
  // scrolled meanwhile.
  int wantedTop_ = -1;
  LRESULT topWhenWanted_ = 0;
  void ShowTop(int top) {
    wantedTop_ = -1;
    if (top < 0) return;
    if (top < Sent() || Sent() >= List().Count()) {
      SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
      return;
    }
    wantedTop_ = top;
    topWhenWanted_ = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
  }
  // After a refill's first part: the selection and the scroll place shown,
  // drawing back on, and the next part asked for if any is left.
  void ShowAndPostRest(LRESULT top) {
    SyncSelection();
    ShowTop(static_cast<int>(top));
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    Invalidate();
    PostNextPart();
  }
  // The next part comes with a message to the list's own window, one at a
  // time: a list refilled or destroyed first checks or never gets it.
  void PostNextPart() {
    if (sent_ >= List().Count() || fillPosted_) return;
    fillPosted_ = true;
    PostMessageA(hwnd_, kDeferred, 0, 0);
  }
  void FillMore() {
    fillPosted_ = false;
    ListBox& lb = List();
    if (sent_ >= lb.Count() || SendMessageA(hwnd_, LB_GETCOUNT, 0, 0) != sent_) return;
    const bool was = updating_;
    updating_ = true;
    LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    if (wantedTop_ >= 0 && top != topWhenWanted_) wantedTop_ = -1;  // the user scrolled
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (storageOwed_) {
      storageOwed_ = false;
      SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(lb.Count() - sent_), 0);
    }
    SendPart();
    SyncSelection();
    if (wantedTop_ >= 0 && wantedTop_ < sent_) {
      top = wantedTop_;
      wantedTop_ = -1;
    }
    if (SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0) != top)
      SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    if (wantedTop_ >= 0) topWhenWanted_ = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    Invalidate();
    updating_ = was;
    PostNextPart();
  }
  bool remakePosted_ = false;
  bool itemsOwed_ = false;
  // The made styles the list keeps when it is made again.
  DWORD KeptStyles(LONG_PTR style) {
    // A list made with columns shows a single column as one column the
    // width of the list (see Changed): only going to columns needs a new list.
    const DWORD have = static_cast<DWORD>(style & kMadeStyles);
    ListBox& lb = List();
    return lb.Columns() == 0 && lb.Header().empty() ? have & (LBS_MULTICOLUMN | WS_HSCROLL) : 0;
  }
  // Whether the list's styles now ask for a new native list. The scroll bar
  // is left out of the comparison: a list with columns shows and hides it
  // itself as its entries need.
  bool NeedsRemaking() {
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    const DWORD have = static_cast<DWORD>(style & kMadeStyles);
    return (have & ~WS_HSCROLL) != ((StylesOf(List()) | KeptStyles(style)) & ~WS_HSCROLL);
  }
  // True when a new list was made.
  bool Recreate() {
    ListBox& lb = List();
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    const DWORD keep = KeptStyles(style);
    if (!NeedsRemaking()) return false;
    const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    const bool focused = GetFocus() == hwnd_;
    HWND old = hwnd_;
    if (!control_.Hint().empty()) DropHint(*this);
    const Rect& r = control_.Bounds();
    HWND fresh = CreateWindowExW(
        static_cast<DWORD>(GetWindowLongPtrA(old, GWL_EXSTYLE)), L"LISTBOX", L"",
        static_cast<DWORD>(style & ~static_cast<LONG_PTR>(kMadeStyles)) | StylesOf(lb) | keep,
        r.left, r.top, r.width, r.height, GetParent(old),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))), Instance(), nullptr);
    if (!fresh) return false;
    SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    Unlink(old, this);
    hwnd_ = fresh;
    columnWidth_ = -1;
    Link(hwnd_, this);
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    DestroyWindow(old);
    WindowPeer::Changed(Prop::Font);
    Changed(Prop::Items);
    const bool was = updating_;
    updating_ = true;
    if (top > 0 && top < lb.Count())
      SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    updating_ = was;
    if (focused) SetFocus(hwnd_);
    if (!control_.Hint().empty()) SyncHint(*this);
    if (header_) Place();
    return true;
  }
  // A new list that shares most of its entries with the one shown: the
  // entries that went are deleted and those that came inserted, the others
  // stay with their place on screen. False (nothing done) when the whole
  // list is better sent again or the list holds other than was sent.
  static constexpr int64_t kSpliceMoves = 4000000;
  bool Splice() {
    ListBox& lb = List();
    const ListBox::Splice* sp = lb.LastSplice();
    // Each entry put in or taken out of the middle moves those after it: a
    // long run in a long list is sent again in parts instead.
    if (!sp || sp->removed + sp->added >= lb.Count() / 2 ||
        static_cast<int64_t>(sp->removed + sp->added) * lb.Count() > kSpliceMoves ||
        SendMessageA(hwnd_, LB_GETCOUNT, 0, 0) != lb.Count() - sp->added + sp->removed ||
        shown_.size() != static_cast<size_t>(lb.Count() - sp->added + sp->removed))
      return false;
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (int k = 0; k < sp->removed; ++k)
      SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(sp->at), 0);
    for (int k = 0; k < sp->added; ++k)
      SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(sp->at + k),
                   reinterpret_cast<LPARAM>(WideText(lb.Item(sp->at + k)).c_str()));
    const auto at = shown_.begin() + sp->at;
    shown_.insert(shown_.erase(at, at + sp->removed), static_cast<size_t>(sp->added), false);
    sent_ = lb.Count();
    SyncSelection();
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    Invalidate();
    return true;
  }
  // A new list whose run of changes starts well into what the native list
  // holds (a folder read in the order of its listing grows at its end): the
  // native entries before the run stay, with their selection and scroll
  // place; those from the run on are taken off its end (nothing moves) and
  // the new ones sent from there as a refill sends them. Emptying a long
  // list costs as much per entry as taking one off, and its kept entries
  // would then be sent again. False (nothing done) when fewer would stay
  // than go, or the list holds other than was sent.
  bool KeepHead() {
    ListBox& lb = List();
    const ListBox::Splice* sp = lb.LastSplice();
    if (!sp || SendMessageA(hwnd_, LB_GETCOUNT, 0, 0) != sent_ ||
        shown_.size() != static_cast<size_t>(sent_))
      return false;
    const int keep = std::min(sp->at, sent_);
    if (keep == 0 || sent_ - keep > keep) return false;
    if (keep == sent_ && lb.Count() > kWholeList) {
      // Only new entries after those shown: they come with the next parts,
      // the list on screen is unchanged until then but for its selection.
      SyncSelection();
      storageOwed_ = true;
      PostNextPart();
      return true;
    }
    const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (int i = sent_ - 1; i >= keep; --i)
      CallWindowProcW(original, hwnd_, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    sent_ = keep;
    shown_.resize(static_cast<size_t>(keep));
    if (lb.Count() > sent_)
      SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(lb.Count() - sent_), 0);
    wantedTop_ = -1;
    SendPart(lb.Count() <= kWholeList);
    ShowAndPostRest(top);
    return true;
  }
  // What the native list shows selected, as last sent or read.
  std::vector<bool> shown_;
  // How many messages SyncSelection would send for the entries' states.
  static constexpr int kQuietRuns = 8;
  int SelectionRuns() {
    ListBox& lb = List();
    if (!lb.MultiSelect()) return 1;
    const int n = Sent();
    shown_.resize(static_cast<size_t>(n), false);
    int runs = 0;
    bool inRun = false, runOn = false;
    for (int i = 0; i < n; ++i) {
      const bool on = lb.Selected(i);
      const bool differs = shown_[static_cast<size_t>(i)] != on;
      if (differs && (!inRun || on != runOn)) ++runs;
      inRun = differs;
      runOn = on;
    }
    return runs;
  }
  void SyncSelection() {
    ListBox& lb = List();
    if (lb.MultiSelect()) {
      // Only the entries whose state differs from what the list shows, each
      // run of them with one message.
      const int n = Sent();
      shown_.resize(static_cast<size_t>(n), false);
      auto differs = [&](int i) { return shown_[static_cast<size_t>(i)] != lb.Selected(i); };
      for (int i = 0; i < n; ++i) {
        if (!differs(i)) continue;
        const bool on = lb.Selected(i);
        int last = i;
        while (last + 1 < n && differs(last + 1) && lb.Selected(last + 1) == on) ++last;
        if (last == i)
          SendMessageA(hwnd_, LB_SETSEL, on, i);
        else if (on)
          SendMessageA(hwnd_, LB_SELITEMRANGEEX, static_cast<WPARAM>(i), last);
        else  // a range given backwards is let go
          SendMessageA(hwnd_, LB_SELITEMRANGEEX, static_cast<WPARAM>(last), i);
        for (int k = i; k <= last; ++k) shown_[static_cast<size_t>(k)] = on;
        i = last;
      }
      // The focus mark moved only where it is elsewhere (a move repaints).
      if (lb.ItemIndex() >= 0 && SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0) != lb.ItemIndex())
        SendMessageA(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(lb.ItemIndex()), FALSE);
    } else {
      SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(lb.ItemIndex()), 0);
    }
  }
};

}  // namespace

std::unique_ptr<WindowPeer> MakeListPeer(Control& c, HWND h) {
  auto peer = std::make_unique<ListPeer>(c, h);
  peer->Changed(Prop::Style);
  peer->Changed(Prop::Items);
  return peer;
}

}  // namespace w95::ui::win32
