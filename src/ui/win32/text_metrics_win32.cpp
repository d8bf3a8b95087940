// Text measure and system metrics from the system: a screen device context
// with the font selected, GetTextExtentPoint32W, GetSystemMetrics.
#include <windows.h>

#include <algorithm>

#include "platform/code_page_text.h"
#include "ui/control.h"
#include "ui/text_metrics.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui {

namespace headless {
Metrics& TestMetrics() {
  static Metrics metrics;
  return metrics;
}
}  // namespace headless

int SystemMetric(Metric metric) {
  switch (metric) {
    case Metric::MenuBarHeight:
      return GetSystemMetrics(SM_CYMENU);
    case Metric::BorderWidth:
      return GetSystemMetrics(SM_CXBORDER);
    case Metric::FrameWidth:
      return GetSystemMetrics(SM_CXFRAME);
    case Metric::DialogFrameWidth:
      return GetSystemMetrics(SM_CXDLGFRAME);
    case Metric::CaptionHeight:
      return GetSystemMetrics(SM_CYCAPTION);
    case Metric::HThumbWidth:
      return GetSystemMetrics(SM_CXHTHUMB);
    case Metric::ScrollThumb:
      return GetSystemMetrics(SM_CYVTHUMB);
  }
  return 0;
}

Point ClientToScreen(const Control& control, Point p) {
  POINT pt{p.x, p.y};
  if (HWND h = reinterpret_cast<HWND>(control.Handle())) {
    ::ClientToScreen(h, &pt);
  } else {
    for (const Control* c = &control; c; c = c->Parent()) {
      pt.x += c->Left();
      pt.y += c->Top();
    }
  }
  return {pt.x, pt.y};
}

namespace {
// A screen DC with the font selected, released on every way out.
class MeasureDC {
 public:
  explicit MeasureDC(const Font& font) : dc_(GetDC(nullptr)) {
    const int height = FontHeight(font, GetDeviceCaps(dc_, LOGPIXELSY));
    font_ =
        CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                    FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    old_ = SelectObject(dc_, font_);
  }
  ~MeasureDC() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    ReleaseDC(nullptr, dc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  HDC Handle() const { return dc_; }
  int Width(const std::string& text) const {
    SIZE size{};
    const std::wstring wide = win32::WideText(text);
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};
}  // namespace

int TextWidth(const Font& font, const std::string& text) { return MeasureDC(font).Width(text); }

int WidestText(const Font& font, const std::vector<std::string>& texts) {
  MeasureDC dc(font);
  int widest = 0;
  // A text's extent is the sum of its characters' advance widths (plus what
  // the font adds once per text), so those sums order the texts as their
  // extents do: only the widest few by that order are measured. Where a
  // character may take two bytes the order is not known: every text is
  // measured.
  constexpr size_t kMeasured = 8;
  CPINFO code{};
  INT advance[256];
  const bool singleBytes = GetCPInfo(CP_ACP, &code) && code.MaxCharSize == 1;
  if (texts.size() <= kMeasured || !singleBytes || !GetCharWidth32A(dc.Handle(), 0, 255, advance)) {
    for (const auto& t : texts) widest = std::max(widest, dc.Width(t));
    return widest;
  }
  // Text in UTF-8 (what the code page cannot hold) has no byte sums: it is
  // measured. The largest sums are kept as they come, largest first (a long
  // list is not copied to be sorted).
  std::pair<int, size_t> top[kMeasured];
  size_t kept = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    int sum = 0;
    bool ascii = true;
    for (unsigned char c : texts[i]) {
      sum += advance[c];
      ascii = ascii && c < 0x80;
    }
    if (!ascii && !platform::CodePageFromShown(texts[i])) {
      widest = std::max(widest, dc.Width(texts[i]));
      continue;
    }
    if (kept == kMeasured && sum <= top[kMeasured - 1].first) continue;
    size_t at = kept < kMeasured ? kept++ : kMeasured - 1;
    for (; at > 0 && top[at - 1].first < sum; --at) top[at] = top[at - 1];
    top[at] = {sum, i};
  }
  for (size_t k = 0; k < kept; ++k) widest = std::max(widest, dc.Width(texts[top[k].second]));
  return widest;
}

}  // namespace w95::ui
