#include "print/print_form.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include <exception>
#include <iterator>

#include "platform/error.h"
#include "platform/platform.h"
#include "print/layout.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/text_metrics.h"

namespace w95::print {

PrintModule& State() {
  static PrintModule state;
  return state;
}

namespace {

// The current printer's page. A printer that reports no page or no
// resolution is refused: every length of the layout divides by them.
platform::PrinterCaps Caps() {
  platform::PrinterCaps caps = platform::Current().printer->Capabilities();
  const std::string problem = PageProblem(caps.pageWidth, caps.pageHeight, caps.dpiX, caps.dpiY);
  if (!problem.empty()) throw Error(problem);
  return caps;
}

bool SamePrinter(const platform::PrinterCaps& a, const platform::PrinterCaps& b) {
  return a.name == b.name && a.colorBits == b.colorBits;
}

bool SamePage(const platform::PrinterCaps& a, const platform::PrinterCaps& b) {
  return SamePrinter(a, b) && a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight &&
         a.dpiX == b.dpiX && a.dpiY == b.dpiY && a.landscape == b.landscape;
}

// Raises the window's quiet count for a scope: the controls it sets then
// are not the user's choices.
struct QuietScope {
  explicit QuietScope(int& count) : n(count) { ++n; }
  ~QuietScope() { --n; }
  int& n;
};

// The photo size and typing rows under the preview and the buttons.
constexpr int kSizeRowsHeight = 56;

ui::Font LabelFont(bool bold = false) {
  ui::Font f;
  f.size = 9;  // 12 pixels at 96 dpi
  f.color = ui::clBlack;
  f.bold = bold;
  return f;
}

}  // namespace

TPrintForm::TPrintForm() : ui::Form("PrintForm") {
  SetCaption("Plimbo Print Setup");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(374, 266 + kSizeRowsHeight);
  SetKeyPreview(true);
  SetHelpContext(kHelpContext);

  BtnSetup.SetBounds(290, 116, 78, 27);
  BtnSetup.SetCaption("&Setup");
  ZoomScroll.SetBounds(196, 164, 85, 16);
  ZoomScroll.SetParams(100, 1, 100);
  ZoomScroll.SetLargeChange(10);
  ZoomLabel.SetBounds(202, 140, 80, 16);
  ZoomLabel.SetCaption("  Si&ze: 100%");
  ZoomLabel.SetFocusControl(&ZoomScroll);

  PanelParent.SetBounds(0, 25, 185, 241);
  PanelParent.SetAlign(ui::Align::Left);
  PanelImage.SetAlign(ui::Align::Client);
  PanelImage.SetBevelOuter(ui::Bevel::None);
  PaperImage.SetBounds(13, 13, 144, 131);
  PaperImage.SetColor(ui::clWhite);
  PaperImage.SetBevelOuter(ui::Bevel::None);
  DocImage.SetBounds(15, 17, 72, 72);
  PanelX.SetHeight(20);
  PanelX.SetAlign(ui::Align::Bottom);
  PanelY.SetWidth(18);
  PanelY.SetAlign(ui::Align::Right);
  YScroll.SetVertical(true);
  YScroll.SetBounds(0, 0, 13, 33);
  XScroll.SetBounds(0, 0, 72, 14);

  LabelDocW.SetBounds(194, 80, 80, 16);
  LabelDocW.SetCaption("Width:");
  LabelXPos.SetBounds(194, 36, 80, 16);
  LabelXPos.SetCaption("X pos:");
  LabelXPos.SetFocusControl(&XScroll);
  BtnPrintIt.SetBounds(290, 146, 78, 27);
  BtnPrintIt.SetCaption("&Print It");
  BtnPrintIt.SetEnabled(false);  // until the image is laid out on a page
  BtnClose.SetBounds(290, 176, 78, 27);
  BtnClose.SetCaption("Cancel");
  Enhance.SetBounds(198, 216, 73, 17);
  Enhance.SetCaption("E&nhance");
  Enhance.SetChecked(true);
  LabelYpos.SetBounds(194, 58, 80, 16);
  LabelYpos.SetCaption("Y pos:");
  LabelYpos.SetFocusControl(&YScroll);
  LabelDocH.SetBounds(194, 102, 80, 16);
  LabelDocH.SetCaption("Height:");
  BtnHelp.SetBounds(290, 206, 78, 27);
  BtnHelp.SetCaption("&Help");
  Color.SetBounds(198, 194, 73, 17);
  Color.SetCaption("Co&lor");
  Color.SetChecked(true);
  MeasureBox.SetBounds(282, 60, 87, 21);
  MeasureBox.SetItems({"Pixels", "Inches", "cm."});
  BtnReset.SetBounds(290, 86, 78, 27);
  BtnReset.SetCaption("Cen&ter");
  PrintStyle.SetBounds(240, 240, 129, 21);
  PrintStyle.SetItems(
      {"Floyd-Steinberg", "Burkes", "Stucki", "Sierra", "Stevenson", "Jarvis", "Ordered"});
  Label1.SetBounds(280, 36, 80, 16);
  Label1.SetCaption("&Measure:");
  Label1.SetFocusControl(&MeasureBox);
  Label2.SetBounds(194, 244, 39, 16);
  Label2.SetCaption("S&tyle:");
  Label2.SetAlignment(ui::Alignment::Right);
  Label2.SetFocusControl(&PrintStyle);
  PanelSettings.SetHeight(25);
  PanelSettings.SetAlign(ui::Align::Top);
  PanelSettings.SetBevelOuter(ui::Bevel::Lowered);
  PanelSettings.SetBevelInner(ui::Bevel::Lowered);
  PanelSettings.SetCaption("Paper Settings");

  BtnSetup.SetGlyph(ui::GlyphKind::PageSetup);
  BtnPrintIt.SetGlyph(ui::GlyphKind::Print);
  BtnClose.SetGlyph(ui::GlyphKind::Cancel);
  BtnHelp.SetGlyph(ui::GlyphKind::Help);
  BtnReset.SetGlyph(ui::GlyphKind::Centre);

  for (ui::Control* c : std::initializer_list<ui::Control*>{&ZoomLabel, &LabelDocW, &LabelXPos,
                                                            &LabelYpos, &LabelDocH})
    c->SetFont(LabelFont());
  PanelSettings.SetFont(LabelFont(true));
  LabelRes.SetBounds(194, 120, 86, 16);
  LabelRes.SetCaption("");
  LabelRes.SetFont(LabelFont());
  LabelRes.SetHint("Picture pixels per printed inch (150 or more prints sharp)");

  PanelSize.SetHeight(kSizeRowsHeight);
  PanelSize.SetAlign(ui::Align::Bottom);
  PanelSize.SetBevelOuter(ui::Bevel::None);
  LabelPhoto.SetBounds(8, 8, 36, 16);
  LabelPhoto.SetCaption("Ph&oto:");
  LabelPhoto.SetFocusControl(&PhotoBox);
  PhotoBox.SetBounds(46, 4, 146, 21);
  {
    std::vector<std::string> items;
    for (int i = 0; i < kPhotoCount; ++i) items.emplace_back(PhotoName(i));
    PhotoBox.SetItems(std::move(items));
  }
  PhotoBox.SetItemIndex(kAnySize);
  PhotoBox.SetHint("Print at a standard photo size (the whole picture fits inside it)");
  struct Row {
    ui::Label& label;
    ui::Edit& box;
    const char* caption;
    int left;
  };
  for (const Row& r : {Row{LabelW, EditW, "&W:", 8}, Row{LabelH, EditH, "H:", 80},
                       Row{LabelX, EditX, "X:", 152}, Row{LabelY, EditY, "Y:", 224}}) {
    r.label.SetBounds(r.left, 34, 16, 16);
    r.label.SetCaption(r.caption);
    r.label.SetFocusControl(&r.box);
    r.box.SetBounds(r.left + 18, 30, 50, 21);
    r.box.SetMaxLength(12);
    ui::Edit* box = &r.box;
    r.box.OnExit = [this, box](ui::Control&) { SizeBoxEntered(*box); };
  }
  EditW.SetHint("Printed width (the height follows); Enter takes it");
  EditH.SetHint("Printed height (the width follows); Enter takes it");
  EditX.SetHint("Distance from the left of the printable area");
  EditY.SetHint("Distance from the top of the printable area");
  LabelUnit.SetBounds(298, 34, 70, 16);
  PhotoBox.OnChange = [this](ui::Control& s) { PhotoBoxChange(s); };
  Fill.SetBounds(196, 6, 36, 17);
  Fill.SetCaption("F&ill");
  Fill.SetHint("Crop the picture to fill the photo size");
  Fill.SetEnabled(false);
  Fill.OnClick = [this](ui::Control&) {
    Remember(keys::kPrtFill, Fill.Checked() ? 1 : 0);
    if (laidOut_ && sizing_ == Sizing::Photo) LayOutSize();
  };
  BuildOrientation();
  DocImage.SetHint("Drag to place the picture; it snaps to the middle and the edges");
  DocImage.OnMouseDown = [this](ui::Control&, ui::MouseButton b, unsigned, int x, int y) {
    DocImageMouseDown(b, x, y);
  };
  DocImage.OnMouseMove = [this](ui::Control&, unsigned, int x, int y) { DocImageMouseMove(x, y); };
  DocImage.OnMouseUp = [this](ui::Control&, ui::MouseButton, unsigned, int, int) {
    dragging_ = false;
  };

  picture_ = PlaceholderPicture();
  DocImage.OnPaint = [this](ui::Control&, ui::Canvas& canvas) {
    if (Filling()) {
      // The picture covers the photo size; what lies outside is cut off.
      const Area cover = CoverRect(0, 0, {DocImage.Width(), DocImage.Height()}, State().ImageWidth,
                                   State().ImageHeight);
      canvas.DrawPicture({cover.left, cover.top, cover.width, cover.height}, picture_);
      return;
    }
    canvas.DrawPicture({0, 0, DocImage.Width(), DocImage.Height()}, picture_);
  };

  OnActivate = [this](ui::Control& s) { FormActivate(s); };
  OnClose = [this](ui::Control& s, ui::CloseAction& a) { FormClose(s, a); };
  OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) { FormKeyDown(s, key, shift); };
  BtnSetup.OnClick = [this](ui::Control& s) { BtnSetupClick(s); };
  ZoomScroll.OnScroll = [this](ui::Control& s, ui::ScrollCode c, int& p) {
    ZoomScrollScroll(s, c, p);
  };
  for (ui::ScrollBar* bar : {&XScroll, &YScroll}) {
    bar->OnChange = [this](ui::Control& s) { XScrollChange(s); };
    bar->OnScroll = [this](ui::Control& s, ui::ScrollCode c, int& p) { YScrollScroll(s, c, p); };
    bar->OnMouseDown = [this](ui::Control& s, ui::MouseButton b, unsigned sh, int x, int y) {
      YScrollMouseDown(s, b, sh, x, y);
    };
  }
  BtnPrintIt.OnClick = [this](ui::Control& s) { BtnPrintItClick(s); };
  BtnClose.OnClick = [this](ui::Control& s) { BtnCloseClick(s); };
  Enhance.OnClick = [this](ui::Control& s) { EnhanceClick(s); };
  Color.OnClick = [this](ui::Control&) { Remember(keys::kPrtColor, Color.Checked() ? 1 : 0); };
  BtnHelp.OnClick = [this](ui::Control& s) { BtnHelpClick(s); };
  MeasureBox.OnChange = [this](ui::Control& s) { MeasureBoxChange(s); };
  BtnReset.OnClick = [this](ui::Control& s) { BtnResetClick(s); };
  PrintStyle.OnChange = [this](ui::Control& s) { MeasureBoxChange(s); };
}

TPrintForm::~TPrintForm() {
  // FormDestroy: the window is gone.
  PrintModule& s = State();
  if (s.PrintForm == this) {
    s.PrintForm = nullptr;
    s.PrintOpen = 0;
  }
}

void TPrintForm::ResizePaper() {
  const platform::PrinterCaps caps = Caps();
  const int cw = PanelImage.Width(), ch = PanelImage.Height();
  const Fit fit = FitToBox(cw, ch, caps.pageWidth, caps.pageHeight);
  PaperImage.SetBounds(Centred(cw, fit.width), Centred(ch, fit.height), fit.width, fit.height);
}

void TPrintForm::ResizeImage(int /*centre*/) {
  const PrintModule& s = State();
  const int cw = PaperImage.Width(), ch = PaperImage.Height();
  const Fit fit = FitToBox(cw, ch, s.ImageWidth, s.ImageHeight);
  const int w = Zoomed(fit.realWidth, s.Zoom), h = Zoomed(fit.realHeight, s.Zoom);
  DocImage.SetBounds(Centred(cw, w), Centred(ch, h), w, h);
}

void TPrintForm::AllSpecs(int init) {
  PrintModule& s = State();
  const platform::PrinterCaps caps = Caps();
  s.DpiX = caps.dpiX;
  s.DpiY = caps.dpiY;
  if (init == 1) {
    const bool colour = caps.colorBits > 8;
    Color.SetChecked(colour);
    PrintStyle.SetItemIndex(colour ? kStevenson : kFloydSteinberg);
  }
  const Extent scaled = CoverPage(s.ImageWidth, s.ImageHeight, caps.pageWidth, caps.pageHeight);
  s.ScaledWidth = scaled.width;
  s.ScaledHeight = scaled.height;
  const Fit fit = FitToBox(caps.pageWidth, caps.pageHeight, scaled.width, scaled.height);
  s.DocWidth = Zoomed(fit.realWidth, s.Zoom);
  s.DocHeight = Zoomed(fit.realHeight, s.Zoom);
  int chosenW = 0, chosenH = 0;
  if (ChosenSize(caps, fit.realWidth, fit.realHeight, chosenW, chosenH)) {
    s.DocWidth = chosenW;
    s.DocHeight = chosenH;
    // The preview and the size bar show the same size.
    s.Zoom = static_cast<double>(chosenW) / fit.realWidth;
    ResizeImage(1);
    if (Filling()) {
      // The photo size's own shape on the paper.
      const int w = std::max(
          1, static_cast<int>(static_cast<int64_t>(chosenW) * PaperImage.Width() / caps.pageWidth));
      const int h = std::max(1, static_cast<int>(static_cast<int64_t>(chosenH) *
                                                 PaperImage.Height() / caps.pageHeight));
      DocImage.SetBounds(Centred(PaperImage.Width(), w), Centred(PaperImage.Height(), h), w, h);
      DocImage.Invalidate();
    }
    const int percent = std::clamp(static_cast<int>(std::lround(s.Zoom * 100)), 1, 100);
    ZoomScroll.SetPosition(percent);
    ZoomLabel.SetCaption("  Si&ze : " + std::to_string(percent) + "%");
  }
  const ScrollSpan x = SpanOf(caps.pageWidth, s.DocWidth), y = SpanOf(caps.pageHeight, s.DocHeight);
  XScroll.SetLargeChange(x.largeChange);
  XScroll.SetParams(x.position, XScroll.Min(), x.max);
  YScroll.SetLargeChange(y.largeChange);
  YScroll.SetParams(y.position, YScroll.Min(), y.max);
  SetPositionSteps();
  UpdateDocPosition();
  s.Recalculating = 0;
}

void TPrintForm::UpdateDocPosition() {
  PrintModule& s = State();
  s.DocTop = YScroll.Position();
  s.DocLeft = XScroll.Position();
  const platform::PrinterCaps caps = Caps();
  const int32_t unit = s.MeasureUnit;
  LabelDocW.SetCaption("Width : " + LengthText(s.DocWidth, s.DpiX, unit));
  LabelDocH.SetCaption("Height: " + LengthText(s.DocHeight, s.DpiY, unit));
  LabelXPos.SetCaption("&X pos : " + LengthText(s.DocLeft, s.DpiX, unit));
  LabelYpos.SetCaption("&Y pos : " + LengthText(s.DocTop, s.DpiY, unit));
  PanelSettings.SetCaption(
      PageSummary(caps.landscape, caps.pageWidth, caps.pageHeight, s.DpiX, s.DpiY, unit));
  ShowResolution();
  ShowSizeBoxes();
}

void TPrintForm::ShowSizeBoxes() {
  const PrintModule& s = State();
  const int32_t unit = s.MeasureUnit;
  ui::Edit* const boxes[4] = {&EditW, &EditH, &EditX, &EditY};
  const std::string texts[4] = {BoxText(s.DocWidth, s.DpiX, unit),
                                BoxText(s.DocHeight, s.DpiY, unit),
                                BoxText(s.DocLeft, s.DpiX, unit), BoxText(s.DocTop, s.DpiY, unit)};
  for (int i = 0; i < 4; ++i) {
    shown_[i] = texts[i];
    boxes[i]->SetText(texts[i]);
  }
  LabelUnit.SetCaption(unit == kInches ? "inches" : unit == kCentimetres ? "cm" : "pixels");
}

bool TPrintForm::ChosenSize(const platform::PrinterCaps& caps, float realW, float realH, int& width,
                            int& height) const {
  if (sizing_ == Sizing::Bar) return false;
  const PrintModule& s = State();
  Size want;
  if (Filling()) {
    // The photo size itself, turned the image's way, and no larger than
    // the page.
    const Sides sides = PhotoSides(photo_, photoUnit_);
    const bool wide = s.ImageWidth > s.ImageHeight;
    const int w =
        static_cast<int>(std::lround((wide ? sides.longSide : sides.shortSide) * caps.dpiX));
    const int h =
        static_cast<int>(std::lround((wide ? sides.shortSide : sides.longSide) * caps.dpiY));
    if (w <= caps.pageWidth && h <= caps.pageHeight) {
      width = w;
      height = h;
    } else {
      const Fit onPage = FitToBox(caps.pageWidth, caps.pageHeight, w, h);
      width = std::max(1, onPage.width);
      height = std::max(1, onPage.height);
    }
    return true;
  }
  if (sizing_ == Sizing::Photo)
    want =
        FitPhoto(PhotoSides(photo_, photoUnit_), s.ImageWidth, s.ImageHeight, caps.dpiX, caps.dpiY);
  else if (typedHeight_)
    want = ByHeight(static_cast<int>(std::lround(typedInches_ * caps.dpiY)), s.ImageWidth,
                    s.ImageHeight);
  else
    want = ByWidth(static_cast<int>(std::lround(typedInches_ * caps.dpiX)), s.ImageWidth,
                   s.ImageHeight);
  const Size largest{Zoomed(realW, 1.0), Zoomed(realH, 1.0)};
  const Size smallest{std::max(1, Zoomed(realW, 0.01)), std::max(1, Zoomed(realH, 0.01))};
  const Size size = Bounded(want, smallest, largest);
  width = size.width;
  height = size.height;
  return true;
}

void TPrintForm::LayOutSize() {
  PrintModule& s = State();
  if (sizing_ == Sizing::Bar) s.Zoom = ZoomScroll.Position() * 0.01;
  ResizeImage(1);
  s.Recalculating = 1;
  struct Quiet {
    ~Quiet() { State().Recalculating = 0; }
  } quiet;
  AllSpecs(0);
}

void TPrintForm::MoveTo(ui::ScrollBar& bar, int position) {
  bar.SetPosition(std::clamp(position, 0, std::max(0, bar.Max())));
  UpdateXYscroll();
  UpdateDocPosition();
}

void TPrintForm::DocImageMouseDown(ui::MouseButton button, int x, int y) {
  if (button != ui::MouseButton::Left || !laidOut_ || !XScroll.Enabled()) return;
  dragging_ = true;
  grabX_ = x;
  grabY_ = y;
}

void TPrintForm::DocImageMouseMove(int x, int y) {
  if (!dragging_ || !laidOut_) return;
  // Within a few preview pixels of the middle or a margin, the image snaps.
  constexpr int kSnapPreviewPixels = 4;
  const platform::PrinterCaps caps = layoutCaps_;
  struct Axis {
    ui::ScrollBar& bar;
    int offset, room, page, paper;
  };
  for (const Axis& a :
       {Axis{XScroll, DocImage.Left() + x - grabX_, PaperImage.Width() - DocImage.Width(),
             caps.pageWidth, PaperImage.Width()},
        Axis{YScroll, DocImage.Top() + y - grabY_, PaperImage.Height() - DocImage.Height(),
             caps.pageHeight, PaperImage.Height()}}) {
    if (a.room <= 0 || a.bar.Max() <= 0) continue;
    const int snap = a.paper > 0 ? kSnapPreviewPixels * a.page / a.paper : 0;
    const int position = DraggedPosition(a.offset, a.room, a.bar.Max(), snap);
    if (position != a.bar.Position()) a.bar.SetPosition(position);
  }
  UpdateXYscroll();
  UpdateDocPosition();
}

void TPrintForm::PhotoBoxChange(ui::Control&) {
  if (!laidOut_) return;
  const int photo = PhotoBox.ItemIndex();
  if (photo == kFitPage) {
    sizing_ = Sizing::Bar;
    ZoomScroll.SetPosition(100);
    ZoomLabel.SetCaption("  Si&ze : 100%");
    Remember(keys::kPrtZoom, 100);
  } else if (photo > kAnySize && photo < kPhotoCount) {
    sizing_ = Sizing::Photo;
    photo_ = photo;
    photoUnit_ = State().MeasureUnit;
  } else {
    sizing_ = Sizing::Bar;
  }
  LayOutSize();
  Remember(keys::kPrtPhoto, photo < 0 ? 0 : photo);
  Remember(keys::kPrtWidth, 0);
}

void TPrintForm::SizeBoxEntered(ui::Edit& box) {
  ui::Edit* const boxes[4] = {&EditW, &EditH, &EditX, &EditY};
  const int k =
      static_cast<int>(std::find(std::begin(boxes), std::end(boxes), &box) - std::begin(boxes));
  if (k >= 4 || !laidOut_ || box.Text() == shown_[k]) return;
  const PrintModule& s = State();
  const bool vertical = k == 1 || k == 3, position = k >= 2;
  const int dpi = vertical ? s.DpiY : s.DpiX;
  int pixels = 0;
  if (!ParseLength(box.Text(), dpi, s.MeasureUnit, pixels, position)) {
    // Not a length: the box shows the current value again.
    ShowSizeBoxes();
    box.SelectAll();
    return;
  }
  if (position) {
    MoveTo(vertical ? YScroll : XScroll, pixels);
    return;
  }
  sizing_ = Sizing::Typed;
  typedHeight_ = vertical;
  typedInches_ = static_cast<double>(pixels) / dpi;
  PhotoBox.SetItemIndex(kAnySize);
  LayOutSize();
  Remember(keys::kPrtPhoto, 0);
  Remember(keys::kPrtWidth,
           static_cast<int>(std::lround(State().DocWidth * 1000.0 / State().DpiX)));
}

bool TPrintForm::Filling() const { return sizing_ == Sizing::Photo && Fill.Checked(); }

void TPrintForm::ShowResolution() {
  const PrintModule& s = State();
  Fill.SetEnabled(sizing_ == Sizing::Photo && laidOut_);
  Area printed{s.DocLeft, s.DocTop, s.DocWidth, s.DocHeight};
  if (Filling())
    printed =
        CoverRect(s.DocLeft, s.DocTop, {s.DocWidth, s.DocHeight}, s.ImageWidth, s.ImageHeight);
  const int ppi =
      PixelsPerInch(s.ImageWidth, s.ImageHeight, printed.width, printed.height, s.DpiX, s.DpiY);
  ui::Font font = LabelFont(ppi < kSharpPpi);
  if (ppi < kSharpPpi) font.color = ui::clRed;
  LabelRes.SetFont(font);
  LabelRes.SetCaption(ResolutionText(ppi));
}

void TPrintForm::Remember(const char* key, int value) {
  if (quiet_ > 0) return;
  TIniFile(keys::kSettingsFile).WriteNumber(keys::kSection, key, value);
}

void TPrintForm::TurnOffEnhancement() {
  QuietScope quiet(quiet_);
  Enhance.SetChecked(false);
  Enhance.SetEnabled(false);
}

void TPrintForm::ApplyRemembered() {
  PrintModule& s = State();
  const TIniFile ini(keys::kSettingsFile);
  const int unit = ini.ReadNumber(keys::kSection, keys::kPrtUnit, -1);
  if (unit >= kPixels && unit <= kCentimetres) {
    MeasureBox.SetItemIndex(unit);
    s.MeasureUnit = unit;
  }
  const int zoom = ini.ReadNumber(keys::kSection, keys::kPrtZoom, -1);
  if (zoom >= ZoomScroll.Min() && zoom < ZoomScroll.Max()) {
    s.Zoom = zoom * 0.01;
    ZoomScroll.SetPosition(zoom);
    ZoomLabel.SetCaption("  Si&ze : " + std::to_string(zoom) + "%");
  }
  const int photo = ini.ReadNumber(keys::kSection, keys::kPrtPhoto, -1);
  const int width = ini.ReadNumber(keys::kSection, keys::kPrtWidth, -1);
  if (photo > kAnySize && photo < kFitPage) {
    sizing_ = Sizing::Photo;
    photo_ = photo;
    photoUnit_ = s.MeasureUnit;
    PhotoBox.SetItemIndex(photo);
    Fill.SetChecked(ini.ReadNumber(keys::kSection, keys::kPrtFill, 0) == 1);
  } else if (photo == kFitPage) {
    PhotoBox.SetItemIndex(kFitPage);
  } else if (width > 0 && width <= 1000000) {
    sizing_ = Sizing::Typed;
    typedHeight_ = false;
    typedInches_ = width / 1000.0;
  }
}

// Colour and style after the printer's defaults have been taken.
void TPrintForm::ApplyRememberedOptions() {
  const TIniFile ini(keys::kSettingsFile);
  const int colour = ini.ReadNumber(keys::kSection, keys::kPrtColor, -1);
  if (colour == 0 || colour == 1) Color.SetChecked(colour == 1);
  const int style = ini.ReadNumber(keys::kSection, keys::kPrtStyle, -1);
  if (style >= kFloydSteinberg && style <= kOrdered) PrintStyle.SetItemIndex(style);
  const int enhance = ini.ReadNumber(keys::kSection, keys::kPrtEnhance, -1);
  if ((enhance == 0 || enhance == 1) && Enhance.Enabled()) Enhance.SetChecked(enhance == 1);
}

void TPrintForm::SetPositionSteps() {
  const PrintModule& s = State();
  XScroll.SetSmallChange(PositionStep(s.DpiX, s.MeasureUnit));
  YScroll.SetSmallChange(PositionStep(s.DpiY, s.MeasureUnit));
}

void TPrintForm::MovePreview(ui::ScrollBar& bar, int position) {
  if (State().Recalculating) return;
  if (&bar == &YScroll) {
    const int room = PaperImage.Height() - DocImage.Height();
    if (room > 0) DocImage.SetTop(PreviewOffset(position, YScroll.Max(), room));
  } else {
    const int room = PaperImage.Width() - DocImage.Width();
    if (room > 0) DocImage.SetLeft(PreviewOffset(position, XScroll.Max(), room));
  }
}

void TPrintForm::UpdateXYscroll() {
  if (State().Recalculating) return;
  const int roomY = PaperImage.Height() - DocImage.Height();
  if (roomY > 0) DocImage.SetTop(PreviewOffset(YScroll.Position(), YScroll.Max(), roomY));
  const int roomX = PaperImage.Width() - DocImage.Width();
  if (roomX > 0) DocImage.SetLeft(PreviewOffset(XScroll.Position(), XScroll.Max(), roomX));
}

void TPrintForm::ShowPicture(ui::Picture picture) {
  picture_ = std::move(picture);
  DocImage.Invalidate();
}

void TPrintForm::FormActivate(ui::Control&) {
  // The error box of a failed layout gives the activation back to this
  // window when it closes; that activation must not fail and box again.
  if (activating_) return;
  activating_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{activating_};
  try {
    // Activations come from every click on the window, every box and
    // dialog closing over it: the user's layout stays unless the printer
    // or its page has changed meanwhile.
    if (!laidOut_)
      LayOut();
    else
      FollowPage();
  } catch (const ui::ScriptFailure&) {
    throw;
  } catch (const std::exception& e) {
    ui::Application().ShowException(e);
  }
}

void TPrintForm::LayOutBeforeShowing() {
  if (laidOut_) return;
  try {
    LayOut();
  } catch (const ui::ScriptFailure&) {
    throw;
  } catch (const std::exception&) {
    laidOut_ = false;
  }
}

void TPrintForm::LayOut() {
  QuietScope quiet(quiet_);
  PrintModule& s = State();
  // A window that was closed already (an activation that comes while it
  // waits to be freed) must not report itself open again.
  if (s.PrintForm == this) s.PrintOpen = 1;
  laidOut_ = false;
  BtnPrintIt.SetEnabled(false);
  // The layout does not need the preview picture: when it cannot be read,
  // the window is laid out with the built-in one and says so afterwards.
  std::exception_ptr previewError;
  const std::string bmp = TIniFile(keys::kSettingsFile).ReadText(keys::kSection, keys::kBmp, "");
  if (!bmp.empty()) {
    try {
      ShowPicture(ui::LoadPictureFile(bmp));
    } catch (const ui::ScriptFailure&) {
      throw;
    } catch (const std::exception&) {
      ShowPicture(PlaceholderPicture());
      previewError = std::current_exception();
    }
  }
  const int t = ui::SystemMetric(ui::Metric::ScrollThumb);
  ZoomScroll.SetHeight(t);
  XScroll.SetHeight(t);
  PanelX.SetHeight(t);
  XScroll.SetWidth(PanelX.Width());
  YScroll.SetWidth(t);
  PanelY.SetWidth(t);
  YScroll.SetHeight(PanelY.Height());
  s.Zoom = 1.0;
  if (ZoomScroll.Position() != 100) ZoomLabel.SetCaption("  Si&ze : 100%");
  ZoomScroll.SetPosition(100);
  MeasureBox.SetItemIndex(kInches);
  s.MeasureUnit = kInches;
  PrintStyle.SetItemIndex(kStevenson);
  sizing_ = Sizing::Bar;
  PhotoBox.SetItemIndex(kAnySize);
  ApplyRemembered();
  TurnOnOpening();
  ResizePaper();
  ResizeImage(1);
  AllSpecs(1);
  ApplyRememberedOptions();
  UpdateDocPosition();
  LaidOutOn(Caps());
  if (previewError) std::rethrow_exception(previewError);
}

void TPrintForm::FollowPrinter(const platform::PrinterCaps& caps) {
  QuietScope quiet(quiet_);
  laidOut_ = false;
  BtnPrintIt.SetEnabled(false);
  ResizePaper();
  ResizeImage(1);
  AllSpecs(SamePrinter(caps, layoutCaps_) ? 0 : 1);
  LaidOutOn(caps);
}

void TPrintForm::LaidOutOn(const platform::PrinterCaps& caps) {
  layoutCaps_ = caps;
  ShowOrientation(caps);
  laidOut_ = true;
  Fill.SetEnabled(sizing_ == Sizing::Photo);
  BtnPrintIt.SetEnabled(true);
}

void TPrintForm::WaitForHost() {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &BtnSetup, &ZoomScroll, &XScroll, &YScroll, &BtnPrintIt, &Enhance, &Color, &MeasureBox,
           &BtnReset, &PrintStyle, &PhotoBox, &EditW, &EditH, &EditX, &EditY, &Fill, &BtnPortrait,
           &BtnLandscape, &AutoRotate})
    c->SetEnabled(false);
  PanelSettings.SetCaption("Waiting for the program to print the page");
  SetEnabled(true);
}

void TPrintForm::FormClose(ui::Control&, ui::CloseAction& action) {
  action = ui::CloseAction::Free;
  // The window is as good as gone: a host asking now hears so, and may open
  // the next one while this one waits to be freed.
  PrintModule& s = State();
  if (s.PrintForm == this) {
    s.PrintForm = nullptr;
    s.PrintOpen = 0;
    // A job the host has not ended goes with the window: left open, it
    // would hold the printer and refuse every later job.
    platform::Printer& printer = *platform::Current().printer;
    if (printer.Printing()) printer.Abort();
  }
}

void TPrintForm::FormKeyDown(ui::Control&, int& key, unsigned shift) {
  if (key == ui::vkEscape || (key == 'C' && shift == ui::ssAlt)) {
    key = 0;
    Close();
    return;
  }
  ui::Application().ProcessMessages();
  ui::Edit* const boxes[] = {&EditW, &EditH, &EditX, &EditY};
  if (key == ui::vkReturn) {
    for (ui::Edit* box : boxes) {
      if (ActiveControl() != box) continue;
      key = 0;
      SizeBoxEntered(*box);
      box->SelectAll();
      return;
    }
    return;
  }
  if (shift == ui::ssShift &&
      (key == ui::vkLeft || key == ui::vkRight || key == ui::vkUp || key == ui::vkDown)) {
    // Shift+arrow on a position bar: a whole unit.
    ui::ScrollBar* bar = ActiveControl() == &XScroll   ? &XScroll
                         : ActiveControl() == &YScroll ? &YScroll
                                                       : nullptr;
    if (!bar) return;
    const int direction = key == ui::vkLeft || key == ui::vkUp ? -1 : 1;
    key = 0;
    const PrintModule& s = State();
    MoveTo(*bar, bar->Position() +
                     direction * UnitStep(bar == &XScroll ? s.DpiX : s.DpiY, s.MeasureUnit));
    return;
  }
  if (key != ui::vkTab) return;
  key = 0;
  // Leaving a typing box takes what it holds.
  for (ui::Edit* box : boxes)
    if (ActiveControl() == box) SizeBoxEntered(*box);
  // The window's fixed cycle, with the rows under the preview where they
  // sit: after the style list, the last control above them.
  ui::Control* const ring[] = {
      &BtnReset, &BtnSetup,    &BtnPrintIt,   &BtnClose,   &BtnHelp, &PrintStyle, &PhotoBox,
      &Fill,     &BtnPortrait, &BtnLandscape, &AutoRotate, &EditW,   &EditH,      &EditX,
      &EditY,    &XScroll,     &YScroll,      &ZoomScroll, &Color,   &Enhance,    &MeasureBox};
  const int n = static_cast<int>(std::size(ring));
  const int from = static_cast<int>(std::find(ring, ring + n, ActiveControl()) - ring);
  // A control that cannot take the focus now (Enhance and the style list
  // without enhancement, Fill without a photo size) is passed over.
  const int next =
      RingStep(from, n, shift == ui::ssShift, [&](int i) { return ring[i]->CanUse(); });
  if (next >= 0) ring[next]->SetFocus();
}

void TPrintForm::ZoomScrollScroll(ui::Control&, ui::ScrollCode, int& position) {
  PrintModule& s = State();
  // The size bar decides the size again.
  const bool hadSize = sizing_ != Sizing::Bar || PhotoBox.ItemIndex() != kAnySize;
  sizing_ = Sizing::Bar;
  PhotoBox.SetItemIndex(kAnySize);
  s.Zoom = position * 0.01;
  ResizeImage(1);
  s.Recalculating = 1;
  // Even when the printer cannot be asked, the scroll bars must not stay
  // quiet for good.
  struct Quiet {
    ~Quiet() { State().Recalculating = 0; }
  } quiet;
  AllSpecs(0);
  ZoomLabel.SetCaption("  Si&ze : " + std::to_string(position) + "%");
  Remember(keys::kPrtZoom, position);
  if (hadSize) {
    Remember(keys::kPrtPhoto, kAnySize);
    Remember(keys::kPrtWidth, 0);
  }
}

// The bar takes its new position after this handler: the preview follows
// the position it is going to.
void TPrintForm::YScrollScroll(ui::Control& sender, ui::ScrollCode, int& position) {
  MovePreview(&sender == &YScroll ? YScroll : XScroll, position);
}

void TPrintForm::YScrollMouseDown(ui::Control&, ui::MouseButton, unsigned, int, int) {
  UpdateXYscroll();
  UpdateDocPosition();
}

void TPrintForm::XScrollChange(ui::Control&) {
  if (State().Recalculating == 0) UpdateDocPosition();
}

void TPrintForm::MeasureBoxChange(ui::Control& sender) {
  State().MeasureUnit = MeasureBox.ItemIndex();
  SetPositionSteps();
  UpdateDocPosition();
  if (&sender == &MeasureBox) Remember(keys::kPrtUnit, MeasureBox.ItemIndex());
  if (&sender == &PrintStyle) Remember(keys::kPrtStyle, PrintStyle.ItemIndex());
}

void TPrintForm::BtnResetClick(ui::Control&) {
  ResizeImage(1);
  AllSpecs(0);
}

void TPrintForm::EnhanceClick(ui::Control&) {
  PrintStyle.SetEnabled(Enhance.Checked());
  Remember(keys::kPrtEnhance, Enhance.Checked() ? 1 : 0);
}

void TPrintForm::BtnSetupClick(ui::Control&) {
  if (!ui::PrintSetupDialog()) return;
  if (!laidOut_) {
    LayOut();
    return;
  }
  FollowPage();
  // The paper confirmed there is the user's choice as the buttons' is.
  Remember(keys::kPrtPaper, layoutCaps_.landscape ? 1 : 0);
}

void TPrintForm::FollowPage() {
  const platform::PrinterCaps caps = Caps();
  if (!SamePage(caps, layoutCaps_)) FollowPrinter(caps);
}

void TPrintForm::BtnHelpClick(ui::Control&) {
  ui::Application().HelpContext(Handle(), kHelpContext);
}

void TPrintForm::BtnCloseClick(ui::Control&) { Close(); }

}  // namespace w95::print
