#include "editor/scrl_dlg.h"

#include <charconv>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace w95::editor {

namespace {

// A whole number as the edit box may hold it: an optional sign and digits,
// within the 32-bit range.
std::optional<int> WholeNumber(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  int value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

}  // namespace

TScrlDlg::TScrlDlg(const RunState& state) : ui::Form("ScrlDlg"), run_(state) {
  SetCaption("Reusable Dialog");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(324, 123);

  ui::Font bold;
  bold.bold = true;
  LabelMin.SetFont(bold);
  LabelMin.SetBounds(88, 12, 100, 13);
  LabelMax.SetFont(bold);
  LabelMax.SetAlignment(ui::Alignment::Right);
  LabelMax.SetBounds(208, 12, 104, 13);
  CustomSetting.SetBounds(12, 34, 65, 21);
  Panel1.SetBevelOuter(ui::Bevel::Lowered);
  Panel1.SetBounds(88, 32, 224, 25);
  CustomScrollBar.SetBounds(4, 4, 216, 17);
  BtnOK.SetCaption("&Ok");
  BtnOK.SetDefault(true);
  BtnOK.SetBounds(76, 80, 75, 25);
  BtnCancel.SetCaption("Cancel");
  BtnCancel.SetCancel(true);
  BtnCancel.SetBounds(172, 80, 75, 25);

  CustomScrollBar.OnChange = [this](ui::Control& s) { CustomScrollBarChange(s); };
  CustomSetting.OnChange = [this](ui::Control& s) { CustomSettingChange(s); };
  OnActivate = [this](ui::Control& s) { FormActivate(s); };
  BtnOK.OnClick = [this](ui::Control& s) { BtnOKClick(s); };
  BtnCancel.OnClick = [this](ui::Control& s) { BtnCancelClick(s); };
}

void TScrlDlg::CustomScrollBarChange(ui::Control&) {
  if (!busy_) CustomSetting.SetText(std::to_string(CustomScrollBar.Position()));
}

void TScrlDlg::CustomSettingChange(ui::Control&) {
  // Setting the text below runs this handler again; the inner run restores
  // the flag it found instead of clearing it, so that the outer run's move of
  // the bar does not write back into the edit box.
  const bool wasBusy = busy_;
  busy_ = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{busy_, wasBusy};

  if (CustomSetting.Text().empty()) return;
  const std::optional<int> value = WholeNumber(CustomSetting.Text());
  if (!value) {
    platform::Current().desktop->Beep(0);
    CustomSetting.SetText(std::to_string(run_.min));
    CustomScrollBar.SetPosition(run_.initial);
  } else if (*value > run_.max) {
    CustomSetting.SetText(std::to_string(run_.max));
  } else if (*value < run_.min) {
    CustomSetting.SetText(std::to_string(run_.min));
  }
  if (const std::optional<int> now = WholeNumber(CustomSetting.Text()))
    CustomScrollBar.SetPosition(*now);
}

void TScrlDlg::FormActivate(ui::Control&) { CustomSetting.SetFocus(); }

void TScrlDlg::BtnOKClick(ui::Control&) { SetModalResult(ui::mrOk); }

void TScrlDlg::BtnCancelClick(ui::Control&) { SetModalResult(ui::mrCancel); }

int RunScrlDlg(const std::string& caption, int min, int max, int16_t smallStep, int16_t largeStep,
               int initial) {
  int result = -1;
  const TScrlDlg::RunState state{min, max, initial};
  auto dlg = std::make_unique<TScrlDlg>(state);
  dlg->CustomScrollBar.SetMin(min);
  dlg->LabelMin.SetCaption(std::to_string(min));
  dlg->CustomScrollBar.SetMax(max);
  dlg->LabelMax.SetCaption(std::to_string(max));
  dlg->CustomScrollBar.SetPosition(initial);
  dlg->CustomSetting.SetText(std::to_string(initial));
  dlg->CustomScrollBar.SetSmallChange(smallStep);
  dlg->CustomScrollBar.SetLargeChange(largeStep);
  dlg->SetCaption(caption);
  if (dlg->ShowModal() == ui::mrOk) result = dlg->CustomScrollBar.Position();
  return result;
}

}  // namespace w95::editor
