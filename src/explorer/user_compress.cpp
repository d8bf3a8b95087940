#include "explorer/user_compress.h"

#include <charconv>
#include <memory>

#include "explorer/form_support.h"
#include "explorer/modes.h"

namespace w95::explorer {

namespace {

int32_t ReadSetting(const TIniFile& ini, const char* key, int32_t def) {
  const int32_t v = ini.ReadNumber(keys::kSection, key, keys::kNoChoice);
  return v == keys::kNoChoice ? def : v;
}

const char* const kPresets[] = {
    "0 - Custom Quality vs. Size",    "1 - Perfect Quality (Option 1)",
    "2 - Perfect Quality (Option 2)", "3 - Better Quality vs. Size",
    "4 - More Quality  vs. Size",     "5 - Equal Quality vs. Size",
    "6 - More Compression (Sharp)",   "7 - More Compression (Less Tiling)",
    "8 - Greater Compression",        "9 - Maximum Compression",
};

}  // namespace

CompressionSettings ReadCompressionSettings() {
  const TIniFile ini = Settings();
  CompressionSettings s;
  s.sampling = ReadSetting(ini, keys::kSaveYUV, keys::kSaveYUVDefault);
  s.luma = ReadSetting(ini, keys::kSaveJPG, keys::kSaveJPGDefault);
  s.color = ReadSetting(ini, keys::kSavePIC, keys::kSavePICDefault);
  s.preset = ReadSetting(ini, keys::kSaveCMP, keys::kSaveCMPDefault);
  return s;
}

void WriteCompressionSettings(const CompressionSettings& s) {
  const TIniFile ini = Settings();
  ini.WriteNumber(keys::kSection, keys::kSaveYUV, s.sampling);
  ini.WriteNumber(keys::kSection, keys::kSaveJPG, s.luma);
  ini.WriteNumber(keys::kSection, keys::kSavePIC, s.color);
  ini.WriteNumber(keys::kSection, keys::kSaveCMP, s.preset);
}

std::optional<std::string> CorrectedQuality(const std::string& text, int current) {
  if (text.empty()) return std::to_string(kQualityMin);
  size_t digits = text[0] == '-' ? 1 : 0;
  if (digits == text.size()) return std::nullopt;  // a minus sign alone, being typed
  for (size_t i = digits; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return std::to_string(current);
  if (text[0] == '-') return std::to_string(kQualityMin);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || value > kQualityMax) return std::to_string(kQualityMax);
  if (value < kQualityMin) return std::to_string(kQualityMin);
  return std::nullopt;
}

std::optional<int> TypedQuality(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kQualityMin || value > kQualityMax) return std::nullopt;
  return value;
}

CompressionLayout CompressionLayoutFor(int32_t code) {
  CompressionLayout l;
  if (code == 0 || code == -10) {  // CMP, CMP grey
    l.presetShown = l.presetEnabled = l.presetFromSettings = true;
    l.colorRowShown = false;
    l.colorLabel = "&CMP Presets";
    l.colorLabelToPreset = true;
    l.lumaLabel = "Custom &Setting";
    l.samplingEnabled = false;
  } else if (code == 1 || code == -11) {  // JPEG, JPEG grey
    l.presetShown = true;
    l.colorRowShown = false;
    l.lumaLabel = "Custom &Setting";
    l.samplingEnabled = code == 1;
  } else {
    l.colorLabel = "&Color Setting";
    l.lumaLabel = "Luminance &Setting";
  }
  return l;
}

TUserCompress::TUserCompress(int32_t formatCode, const CompressionSettings& s)
    : ui::Form("UserCompress") {
  SetCaption("Compression Setting");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(300, 214);
  ui::Font f;
  f.name = "MS Sans Serif";
  f.size = 8;
  f.bold = true;
  SetFont(f);
  SetHelpContext(kHelpSaving);

  LumaLabel.SetBounds(10, 8, 200, 16);
  LumaLabel.SetFocusControl(&LumaEdit);
  Panel1.SetBounds(10, 26, 280, 31);
  LumaEdit.SetBounds(5, 5, 40, 21);
  LumaEdit.SetText("2");
  LumaEdit.SetTabStop(true);
  LumaScrollBar.SetBounds(52, 7, 222, 17);
  Label2.SetCaption("2 (best)");
  Label2.SetBounds(62, 59, 80, 16);
  Label1.SetCaption("(smallest) 255");
  Label1.SetBounds(184, 59, 106, 16);
  Label1.SetAlignment(ui::Alignment::Right);
  ColorLabel.SetBounds(10, 80, 200, 16);
  ColorLabel.SetFocusControl(&ColorEdit);
  Panel2.SetBounds(10, 98, 280, 31);
  ColorEdit.SetBounds(5, 5, 40, 21);
  ColorEdit.SetText("2");
  ColorEdit.SetTabStop(true);
  ColorScrollBar.SetBounds(52, 7, 222, 17);
  for (ui::ScrollBar* bar : {&LumaScrollBar, &ColorScrollBar}) {
    bar->SetParams(kQualityMin, kQualityMin, kQualityMax);
    bar->SetLargeChange(10);
    bar->SetTabStop(true);
    bar->OnChange = [this](ui::Control& c) { LumaScrollBarChange(c); };
  }
  for (ui::Edit* edit : {&LumaEdit, &ColorEdit}) {
    edit->OnChange = [this](ui::Control& c) { LumaEditChange(c); };
    edit->OnExit = [this](ui::Control& c) { QualityBoxDone(static_cast<ui::Edit&>(c)); };
  }
  CustomLEADsetting.SetStyle(ui::ComboStyle::DropDownList);
  CustomLEADsetting.SetBounds(10, 103, 200, 21);
  CustomLEADsetting.SetItems({std::begin(kPresets), std::end(kPresets)});
  CustomLEADsetting.SetVisible(false);
  CustomLEADsetting.SetTabStop(true);
  CustomLEADsetting.OnChange = [this](ui::Control& c) { CustomLEADsettingClick(c); };

  GroupBox1.SetBounds(10, 136, 280, 34);
  SampleLabel.SetCaption("S&ample");
  SampleLabel.SetBounds(6, 9, 56, 16);
  SampleLabel.SetFocusControl(&YUV4);
  YUV4.SetCaption("4:4:4");
  YUV4.SetBounds(66, 8, 64, 18);
  YUV2.SetCaption("4:2:2");
  YUV2.SetBounds(138, 8, 64, 18);
  YUV1.SetCaption("4:1:1");
  YUV1.SetBounds(210, 8, 64, 18);
  YUV4.SetChecked(true);
  for (ui::RadioButton* r : {&YUV4, &YUV2, &YUV1}) r->SetTabStop(true);

  BtnOK.SetCaption("&Ok");
  BtnOK.SetBounds(44, 180, 70, 25);
  BtnOK.SetDefault(true);
  BtnOK.SetModalResult(ui::mrOk);
  BtnCancel.SetCaption("Cancel");
  BtnCancel.SetBounds(120, 180, 70, 25);
  BtnCancel.SetCancel(true);
  BtnCancel.SetModalResult(ui::mrCancel);
  BtnHelp.SetCaption("&Help");
  BtnHelp.SetBounds(196, 180, 70, 25);
  for (ui::Button* b : {&BtnOK, &BtnCancel, &BtnHelp}) b->SetTabStop(true);
  BtnHelp.OnClick = [this](ui::Control& c) { BtnHelpClick(c); };
  // Enter presses OK without leaving the box: the boxes are settled here.
  BtnOK.OnClick = [this](ui::Control&) {
    QualityBoxDone(LumaEdit);
    QualityBoxDone(ColorEdit);
  };
  OnActivate = [this](ui::Control& c) { FormActivate(c); };
  OnShow = [this](ui::Control& c) { FormActivate(c); };

  // The stored values; the bars' change handler copies them into the boxes.
  LumaScrollBar.SetPosition(s.luma);
  ColorScrollBar.SetPosition(s.color);
  if (s.sampling == 1)
    YUV2.SetChecked(true);
  else if (s.sampling == 2)
    YUV1.SetChecked(true);

  const CompressionLayout l = CompressionLayoutFor(formatCode);
  CustomLEADsetting.SetItemIndex(l.presetFromSettings && s.preset >= 0 && s.preset <= 9 ? s.preset
                                                                                        : 0);
  CustomLEADsetting.SetVisible(l.presetShown);
  CustomLEADsetting.SetEnabled(l.presetEnabled);
  Panel2.SetVisible(l.colorRowShown);
  ColorLabel.SetVisible(!l.colorLabel.empty());
  ColorLabel.SetCaption(l.colorLabel);
  ColorLabel.SetFocusControl(l.colorLabelToPreset ? static_cast<ui::Control*>(&CustomLEADsetting)
                                                  : &ColorEdit);
  LumaLabel.SetCaption(l.lumaLabel);
  for (ui::Control* c : {static_cast<ui::Control*>(&GroupBox1), static_cast<ui::Control*>(&YUV4),
                         static_cast<ui::Control*>(&YUV2), static_cast<ui::Control*>(&YUV1)})
    c->SetEnabled(l.samplingEnabled);
}

void TUserCompress::FormActivate(ui::Control&) {
  if (activated_) return;
  activated_ = true;
  // The preset box stands in place of the colour row.
  CustomLEADsetting.SetBounds(Panel2.Left(), CustomLEADsetting.Top(), Panel2.Width(),
                              CustomLEADsetting.Height());
  EnableLumaRow(CustomLEADsetting.ItemIndex() <= 0);
}

void TUserCompress::EnableLumaRow(bool on) {
  Panel1.SetEnabled(on);
  LumaEdit.SetEnabled(on);
  LumaScrollBar.SetEnabled(on);
}

void TUserCompress::LumaScrollBarChange(ui::Control& sender) {
  if (updating_) return;
  ui::Edit& edit = &sender == &LumaScrollBar ? LumaEdit : ColorEdit;
  edit.SetText(std::to_string(static_cast<ui::ScrollBar&>(sender).Position()));
}

void TUserCompress::LumaEditChange(ui::Control& sender) {
  const ui::Edit& edit = static_cast<ui::Edit&>(sender);
  ui::ScrollBar& bar = &sender == &LumaEdit ? LumaScrollBar : ColorScrollBar;
  // The bar follows a value in range; the text itself is left as typed.
  FlagGuard guard(updating_);
  if (const auto value = TypedQuality(edit.Text())) bar.SetPosition(*value);
}

void TUserCompress::QualityBoxDone(ui::Edit& edit) {
  const ui::ScrollBar& bar = &edit == &LumaEdit ? LumaScrollBar : ColorScrollBar;
  if (auto corrected = CorrectedQuality(edit.Text(), bar.Position()))
    edit.SetText(*corrected);  // the change handler moves the bar
}

void TUserCompress::CustomLEADsettingClick(ui::Control&) {
  EnableLumaRow(CustomLEADsetting.ItemIndex() <= 0);
}

void TUserCompress::BtnHelpClick(ui::Control&) { ShowHelp(); }

CompressionSettings TUserCompress::Values() const {
  // The boxes are settled when OK is pressed; a text that is not (any
  // more) a value in range stands for the bar's position.
  auto number = [](const std::string& text, int fallback) {
    return TypedQuality(text).value_or(fallback);
  };
  CompressionSettings s;
  s.luma = number(LumaEdit.Text(), LumaScrollBar.Position());
  s.color = number(ColorEdit.Text(), ColorScrollBar.Position());
  s.preset = CustomLEADsetting.ItemIndex();
  s.sampling = YUV2.Checked() ? 1 : YUV1.Checked() ? 2 : 0;
  return s;
}

bool RunCompressionDialog(int32_t formatCode, CompressionSettings& accepted) {
  const CompressionSettings stored = ReadCompressionSettings();
  auto dialog = std::make_unique<TUserCompress>(formatCode, stored);
  if (dialog->ShowModal() != ui::mrOk) return false;
  accepted = dialog->Values();
  return true;
}

}  // namespace w95::explorer
