// The print setup window: the printable area of the current printer with a
// preview of the image on it; size, position, unit, colour, enhancement and
// dithering style; the printer's setup dialog; and "&Print It", which opens
// the job and hands the printer's device context to the host.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/scroll_bar.h"

namespace w95::print {

// The message that hands the printer's device context to the host.
inline constexpr unsigned kPrintReadyMessage = 0x0912;
inline constexpr const char* kJobTitle = "Plimbo Graphic";
inline constexpr int kHelpContext = 110;

class TPrintForm : public ui::Form {
 public:
  TPrintForm();
  ~TPrintForm() override;

  ui::Button BtnSetup{*this, "BtnSetup"};
  ui::ScrollBar ZoomScroll{*this, "ZoomScroll"};
  ui::Label ZoomLabel{*this, "ZoomLabel"};
  ui::Panel PanelParent{*this, "PanelParent"};
  ui::Panel PanelImage{PanelParent, "PanelImage"};
  ui::Panel PaperImage{PanelImage, "PaperImage"};
  ui::Image DocImage{PaperImage, "DocImage"};
  ui::Panel PanelX{PanelParent, "PanelX"};
  ui::Panel PanelY{PanelParent, "PanelY"};
  ui::ScrollBar YScroll{PanelY, "YScroll"};
  ui::ScrollBar XScroll{PanelX, "XScroll"};
  ui::Label LabelDocW{*this, "LabelDocW"};
  ui::Label LabelXPos{*this, "LabelXPos"};
  ui::Button BtnPrintIt{*this, "BtnPrintIt"};
  ui::Button BtnClose{*this, "BtnClose"};
  ui::CheckBox Enhance{*this, "Enhance"};
  ui::Label LabelYpos{*this, "LabelYpos"};
  ui::Label LabelDocH{*this, "LabelDocH"};
  ui::Button BtnHelp{*this, "BtnHelp"};
  ui::CheckBox Color{*this, "Color"};
  ui::ComboBox MeasureBox{*this, "MeasureBox"};
  ui::Button BtnReset{*this, "BtnReset"};
  ui::ComboBox PrintStyle{*this, "PrintStyle"};
  ui::Label Label1{*this, "Label1"};
  ui::Label Label2{*this, "Label2"};
  ui::Panel PanelSettings{*this, "PanelSettings"};
  // Picture pixels per printed inch at the chosen size, marked when low.
  ui::Label LabelRes{*this, "LabelRes"};
  // Under the preview: a photo size, and the size and position typed in
  // the chosen unit (taken on Enter or on leaving the box).
  ui::Panel PanelSize{*this, "PanelSize"};
  ui::Label LabelPhoto{PanelSize, "LabelPhoto"};
  ui::ComboBox PhotoBox{PanelSize, "PhotoBox"};
  ui::Label LabelW{PanelSize, "LabelW"};
  ui::Edit EditW{PanelSize, "EditW"};
  ui::Label LabelH{PanelSize, "LabelH"};
  ui::Edit EditH{PanelSize, "EditH"};
  ui::Label LabelX{PanelSize, "LabelX"};
  ui::Edit EditX{PanelSize, "EditX"};
  ui::Label LabelY{PanelSize, "LabelY"};
  ui::Edit EditY{PanelSize, "EditY"};
  ui::Label LabelUnit{PanelSize, "LabelUnit"};
  // Crop the picture to the photo size instead of fitting it whole.
  ui::CheckBox Fill{PanelSize, "Fill"};
  // The printer's paper upright or on its side (the one in force is down),
  // and turning it the picture's way on opening.
  ui::Button BtnPortrait{PanelSize, "BtnPortrait"};
  ui::Button BtnLandscape{PanelSize, "BtnLandscape"};
  ui::CheckBox AutoRotate{PanelSize, "AutoRotate"};

  // The layout steps the handlers share.
  void ResizePaper();
  void ResizeImage(int centre = 1);
  void AllSpecs(int init);
  void UpdateDocPosition();
  void UpdateXYscroll();

  // The preview picture drawn in DocImage.
  const ui::Picture& Preview() const { return picture_; }

  void FormActivate(ui::Control& sender);
  // Lays the window out on the printer's page before it is shown, so that
  // its controls are made where they stay and it is painted once. Where
  // that fails the first activation lays it out again and tells the user,
  // as it always has.
  void LayOutBeforeShowing();
  void FormClose(ui::Control& sender, ui::CloseAction& action);
  void FormKeyDown(ui::Control& sender, int& key, unsigned shift);
  void ZoomScrollScroll(ui::Control& sender, ui::ScrollCode code, int& position);
  void YScrollScroll(ui::Control& sender, ui::ScrollCode code, int& position);
  void YScrollMouseDown(ui::Control& sender, ui::MouseButton button, unsigned shift, int x, int y);
  void XScrollChange(ui::Control& sender);
  void MeasureBoxChange(ui::Control& sender);
  void BtnResetClick(ui::Control& sender);
  void EnhanceClick(ui::Control& sender);
  void BtnSetupClick(ui::Control& sender);
  void BtnHelpClick(ui::Control& sender);
  void BtnCloseClick(ui::Control& sender);
  void BtnPrintItClick(ui::Control& sender);  // print_dlg.cpp
  void PhotoBoxChange(ui::Control& sender);
  // Takes what was typed in one of the size and position boxes.
  void SizeBoxEntered(ui::Edit& box);
  // Turns the printer's paper and lays the image out on the turned page;
  // `chosen` when the user asked (then it is remembered).
  void TurnPaper(bool landscape, bool chosen);
  void AutoRotateClick(ui::Control& sender);

  // The host prints without enhancement: Enhance is cleared and disabled
  // (and the user's remembered choice left as it was).
  void TurnOffEnhancement();

  // A photo size is filled: the picture covers it and is cropped to it.
  // The host is given the covering rectangle, and the page is clipped to
  // the photo size before it draws.
  bool Filling() const;

  // True once the image has been laid out on the current printer's page
  // (then "&Print It" is enabled).
  bool LaidOut() const { return laidOut_; }

 private:
  // The first layout of the window: preview picture, defaults, page.
  void LayOut();
  // The layout on a new printer or page, keeping zoom, unit and style;
  // the colour defaults are taken again when the printer is another.
  void FollowPrinter(const platform::PrinterCaps& caps);
  void LaidOutOn(const platform::PrinterCaps& caps);
  // FollowPrinter when the printer or its page is not the one laid out on.
  void FollowPage();
  void MovePreview(ui::ScrollBar& bar, int position);
  void SetPositionSteps();
  void ShowPicture(ui::Picture picture);
  // The host has the job but returned without ending it: the window waits
  // with "Cancel" alone, which drops the job.
  void WaitForHost();
  // The user's choices from earlier openings, over the defaults.
  void ApplyRemembered();
  void ApplyRememberedOptions();
  // Keeps a choice the user made (not one the window made itself).
  void Remember(const char* key, int value);
  // The orientation controls (orientation.cpp): built once; on opening, the
  // remembered paper and auto-rotate, applied to the printer before the
  // first layout; the buttons following the page laid out on.
  void BuildOrientation();
  void TurnOnOpening();
  void ShowOrientation(const platform::PrinterCaps& caps);
  void ShowResolution();
  void ShowSizeBoxes();
  // The printed size the photo size or the typed size asks for, kept in
  // the size bar's range; false when the size bar decides.
  bool ChosenSize(const platform::PrinterCaps& caps, float realW, float realH, int& width,
                  int& height) const;
  // Lays the image out again at the chosen size, centred.
  void LayOutSize();
  void MoveTo(ui::ScrollBar& bar, int position);
  // Dragging the image on the paper.
  void DocImageMouseDown(ui::MouseButton button, int x, int y);
  void DocImageMouseMove(int x, int y);
  bool dragging_ = false;
  int grabX_ = 0, grabY_ = 0;

  ui::Picture picture_;
  bool activating_ = false;
  bool laidOut_ = false;
  int quiet_ = 0;  // > 0 while the window sets its controls itself
  // What decides the printed size: the size bar, a photo size (in the unit
  // it was chosen in), or a typed width or height (in inches).
  enum class Sizing { Bar, Photo, Typed };
  Sizing sizing_ = Sizing::Bar;
  int photo_ = 0;
  int32_t photoUnit_ = 1;
  bool typedHeight_ = false;
  double typedInches_ = 0;
  std::string shown_[4];  // the boxes' texts as last shown (W, H, X, Y)
  platform::PrinterCaps layoutCaps_;
};

// The built-in picture the preview shows until "BMP" names one.
ui::Picture PlaceholderPicture();

}  // namespace w95::print
