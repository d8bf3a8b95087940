// "Compression Setting": the quality factors, the CMP preset and the colour
// sampling that the host's image writers use. The dialog adapts its controls
// to the format code of the chosen save format; it compresses nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/scroll_bar.h"

namespace w95::explorer {

struct CompressionSettings {
  int32_t sampling = 0;  // "SaveYUV": 0 = 4:4:4, 1 = 4:2:2, 2 = 4:1:1
  int32_t luma = 6;      // "SaveJPG"
  int32_t color = 12;    // "SavePIC"
  int32_t preset = 0;    // "SaveCMP"
};

// The four keys, 911 (or absent) meaning the default.
CompressionSettings ReadCompressionSettings();
void WriteCompressionSettings(const CompressionSettings& s);

inline constexpr int kQualityMin = 2;
inline constexpr int kQualityMax = 255;

// What a quality box must show instead of `text` once the user has left it
// or pressed OK, or nullopt when the text stands: empty gives the minimum,
// 256 and more "255", less than 2 "2". A text that is no whole number gives
// back `current` (the bar's position). While the user is still typing, the
// text is never rewritten: "1" may be the start of "150".
std::optional<std::string> CorrectedQuality(const std::string& text, int current);

// The value of a quality box while it is typed, for its bar to follow:
// a whole number within 2 to 255, else nullopt (the bar stays).
std::optional<int> TypedQuality(const std::string& text);

// How the dialog is arranged for a format code.
struct CompressionLayout {
  bool presetShown = false;
  bool presetEnabled = false;
  bool presetFromSettings = false;  // else the preset is set to 0
  bool colorRowShown = true;
  std::string colorLabel;           // empty: the label is hidden
  bool colorLabelToPreset = false;  // its focus control is the preset box
  std::string lumaLabel;
  bool samplingEnabled = true;
};
CompressionLayout CompressionLayoutFor(int32_t formatCode);

class TUserCompress : public ui::Form {
 public:
  TUserCompress(int32_t formatCode, const CompressionSettings& s);

  // The values shown, as OK hands them back.
  CompressionSettings Values() const;

  ui::Label LumaLabel{*this, "LumaLabel"};
  ui::Panel Panel1{*this, "Panel1"};
  ui::Edit LumaEdit{Panel1, "LumaEdit"};
  ui::ScrollBar LumaScrollBar{Panel1, "LumaScrollBar"};
  ui::Label Label2{*this, "Label2"};
  ui::Label Label1{*this, "Label1"};
  ui::Label ColorLabel{*this, "ColorLabel"};
  ui::Panel Panel2{*this, "Panel2"};
  ui::Edit ColorEdit{Panel2, "ColorEdit"};
  ui::ScrollBar ColorScrollBar{Panel2, "ColorScrollBar"};
  ui::ComboBox CustomLEADsetting{*this, "CustomLEADsetting"};
  ui::Panel GroupBox1{*this, "GroupBox1"};
  ui::Label SampleLabel{GroupBox1, "SampleLabel"};
  ui::RadioButton YUV4{GroupBox1, "YUV4"};
  ui::RadioButton YUV2{GroupBox1, "YUV2"};
  ui::RadioButton YUV1{GroupBox1, "YUV1"};
  ui::Button BtnOK{*this, "BtnOK"};
  ui::Button BtnCancel{*this, "BtnCancel"};
  ui::Button BtnHelp{*this, "BtnHelp"};

  void FormActivate(ui::Control& sender);
  void LumaScrollBarChange(ui::Control& sender);
  void LumaEditChange(ui::Control& sender);
  // The box is left, or OK pressed: its text is brought into range.
  void QualityBoxDone(ui::Edit& edit);
  void CustomLEADsettingClick(ui::Control& sender);
  void BtnHelpClick(ui::Control& sender);

 private:
  void EnableLumaRow(bool on);
  bool updating_ = false;
  bool activated_ = false;
};

// Runs the dialog for a format code on the stored settings; false when it
// was cancelled, else true with the accepted values in `accepted`.
bool RunCompressionDialog(int32_t formatCode, CompressionSettings& accepted);

}  // namespace w95::explorer
