// The custom value dialog: asks for a whole number within a range with a
// scroll bar and an edit box that follow each other; the minimum and the
// maximum show as labels above the bar.
#pragma once

#include <cstdint>
#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/scroll_bar.h"

namespace w95::editor {

class TScrlDlg : public ui::Form {
 public:
  // The run state: range and initial value, remembered before the window is
  // built because building it already runs the change handlers.
  struct RunState {
    int min = 0;
    int max = 100;
    int initial = 0;
  };
  explicit TScrlDlg(const RunState& state);

  ui::Label LabelMin{*this, "LabelMin"};
  ui::Label LabelMax{*this, "LabelMax"};
  ui::Edit CustomSetting{*this, "CustomSetting"};
  ui::Panel Panel1{*this, "Panel1"};
  ui::ScrollBar CustomScrollBar{Panel1, "CustomScrollBar"};
  ui::Button BtnOK{*this, "BtnOK"};
  ui::Button BtnCancel{*this, "BtnCancel"};

  void CustomScrollBarChange(ui::Control& sender);
  void CustomSettingChange(ui::Control& sender);
  void FormActivate(ui::Control& sender);
  void BtnOKClick(ui::Control& sender);
  void BtnCancelClick(ui::Control& sender);

 private:
  RunState run_;
  bool busy_ = false;  // set while the edit box's change is handled
};

// Runs the dialog: the chosen value, or -1 when the user cancels.
int RunScrlDlg(const std::string& caption, int min, int max, int16_t smallStep, int16_t largeStep,
               int initial);

}  // namespace w95::editor
