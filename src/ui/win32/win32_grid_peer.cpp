// The string grid's peer: a window of our own class that paints the grid
// off screen, scrolls it, sizes columns and drags rows with the mouse (where
// a row lands is the grid's own rule), and keeps the arrows and characters.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "ui/string_grid.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

class GridPeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;
  StringGrid& Grid() { return static_cast<StringGrid&>(control_); }
  int ClientHeight() {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.bottom;
  }
  void ShowRow(int row) {
    StringGrid& g = Grid();
    if (row < g.FixedRows()) return;
    const int visible = g.VisibleRows(ClientHeight());
    if (row < g.TopRow())
      g.SetTopRow(row);
    else if (row >= g.TopRow() + visible)
      g.SetTopRow(row - visible + 1);
  }
  void SyncScroll() {
    StringGrid& g = Grid();
    g.SetPageRows(g.VisibleRows(ClientHeight()));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = g.FixedRows();
    si.nMax = std::max(g.RowCount() - 1, g.FixedRows());
    si.nPage = static_cast<UINT>(g.PageRows());
    si.nPos = g.TopRow();
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  void ScrollTo(int top) {
    StringGrid& g = Grid();
    g.SetTopRow(std::clamp(top, g.FixedRows(), g.MaxTopRow(ClientHeight())));
  }
  void Paint(HDC dc) override {
    // Drawn off screen, then put on screen at once: no flicker, and far
    // fewer trips to the display than cell by cell.
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp =
        CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ old = SelectObject(mem, bmp);
    {
      HdcCanvas canvas(mem, control_.GetFont());
      Grid().Paint(canvas, client.right, client.bottom, GetFocus() == hwnd_);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }

  // Row dragging shows where the row will land as an inverted bar, drawn
  // over a fully painted grid and inverted back before the grid changes.
  void DropMark() {
    const std::optional<int> y = Grid().DropMarkY(dragFrom_, dragTo_);
    if (!y) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC dc = GetDC(hwnd_);
    PatBlt(dc, 0, *y, client.right, 2, DSTINVERT);
    ReleaseDC(hwnd_, dc);
  }
  void EndDrag() {
    if (dragFrom_ >= 0) {
      DropMark();
      dragFrom_ = -1;
    }
    sizing_ = -1;
    if (GetCapture() == hwnd_) ReleaseCapture();
  }

  LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp) override {
    StringGrid& g = Grid();
    const Point at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
      case WM_LBUTTONDOWN: {
        SetFocus(hwnd_);
        int col, row;
        // Shift and Ctrl as they were when the button went down.
        const unsigned picking =
            ((wp & MK_SHIFT) ? ssShift : ssNone) | ((wp & MK_CONTROL) ? ssCtrl : ssNone);
        if ((g.Options() & goColSizing) && (sizing_ = g.SizingColAt(at)) >= 0) {
          sizeFrom_ = at.x - g.ColWidth(sizing_);
          SetCapture(hwnd_);
        } else if (!picking && (g.Options() & goRowMoving) && g.CellAt(at, col, row) &&
                   col < g.FixedCols() && row >= g.FixedRows()) {
          dragFrom_ = dragTo_ = row;
          SetCapture(hwnd_);
          UpdateWindow(hwnd_);
          DropMark();
        } else if (g.CellAt(at, col, row)) {
          g.UserSelectCell(col, row, picking);
        }
        g.UserMouseDown(MouseButton::Left, ShiftState(), at.x, at.y);
        return 0;
      }
      case WM_MOUSEMOVE:
        if (sizing_ >= 0) {
          g.UserSizeCol(sizing_, at.x - sizeFrom_);
          UpdateWindow(hwnd_);
        } else if (dragFrom_ >= 0) {
          const int row = g.DropRowAt(at.y);
          if (row != dragTo_) {
            DropMark();
            dragTo_ = row;
            ShowRow(row);
            UpdateWindow(hwnd_);
            DropMark();
          }
        }
        break;
      case WM_LBUTTONUP: {
        const int from = dragFrom_, to = dragTo_;
        EndDrag();
        if (from >= 0 && from != to) g.UserMoveRow(from, to);
        g.UserMouseUp(MouseButton::Left, ShiftState(), at.x, at.y);
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_) EndDrag();
        return 0;
      case WM_SETCURSOR: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        if (LOWORD(lp) == HTCLIENT && (g.Options() & goColSizing) &&
            (sizing_ >= 0 || g.SizingColAt(Point{p.x, p.y}) >= 0)) {
          ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
          return TRUE;
        }
        break;
      }
      case WM_GETDLGCODE: {
        // Arrows and characters, and the keys the grid wants for itself
        // (Return), but not Tab and Escape, which stay the dialog's.
        const auto* m = reinterpret_cast<const MSG*>(lp);
        const bool own = m && m->message == WM_KEYDOWN && g.WantsKey(static_cast<int>(m->wParam));
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (own ? DLGC_WANTMESSAGE : 0);
      }
      case WM_KEYDOWN: {
        int key = static_cast<int>(wp);
        g.UserKeyDown(key, ShiftState());
        return 0;
      }
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Invalidate();
        break;
      case WM_VSCROLL: {
        int top = g.TopRow();
        switch (LOWORD(wp)) {
          case SB_LINEUP:
            --top;
            break;
          case SB_LINEDOWN:
            ++top;
            break;
          case SB_PAGEUP:
            top -= g.PageRows();
            break;
          case SB_PAGEDOWN:
            top += g.PageRows();
            break;
          case SB_TOP:
            top = g.FixedRows();
            break;
          case SB_BOTTOM:
            top = g.RowCount();
            break;
          case SB_THUMBTRACK:
            if (!(g.Options() & goThumbTracking)) return 0;
            [[fallthrough]];
          case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd_, SB_VERT, &si);
            top = si.nTrackPos;
            break;
          }
          default:
            return 0;
        }
        ScrollTo(top);
        return 0;
      }
      case WM_MOUSEWHEEL:
        ScrollTo(g.TopRow() - 3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
        return 0;
      case WM_SIZE:
        SyncScroll();
        break;
      default:
        break;
    }
    return ContainerPeer::Proc(msg, wp, lp);
  }
  void Changed(Prop p) override {
    if (p == Prop::Selection) ShowRow(Grid().Row());
    if (p == Prop::Cells || p == Prop::Selection || p == Prop::TopIndex) {
      SyncScroll();
      Invalidate();
    } else {
      WindowPeer::Changed(p);
    }
  }

 private:
  int sizing_ = -1;    // the column whose border is being dragged
  int sizeFrom_ = 0;   // mouse x less that column's width
  int dragFrom_ = -1;  // the row being dragged
  int dragTo_ = -1;    // where it would land
};

}  // namespace

std::unique_ptr<WindowPeer> MakeGridPeer(Control& c, HWND h) {
  auto peer = std::make_unique<GridPeer>(c, h);
  peer->SyncScroll();
  return peer;
}

}  // namespace w95::ui::win32
