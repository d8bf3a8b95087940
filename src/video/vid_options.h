// The playback options dialog: volume and speed of the video window, in
// tenths of a percent (1000 is 100 %).
#pragma once

#include <cstdint>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/scroll_bar.h"

namespace w95::video {

class TVidOptions : public ui::Form {
 public:
  // hostMode decides what "&Default" gives the volume.
  explicit TVidOptions(int32_t hostMode);

  ui::Label SpeedLabel{*this, "SpeedLabel"};
  ui::ScrollBar SpeedScroll{*this, "SpeedScroll"};
  ui::Label VolumeLabel{*this, "VolumeLabel"};
  ui::ScrollBar VolumeScroll{*this, "VolumeScroll"};
  ui::Button BitBtn1{*this, "BitBtn1"};
  ui::Button ButtonOK{*this, "ButtonOK"};
  ui::Button ButtonCancel{*this, "ButtonCancel"};

  void VolumeScrollChange();
  void SpeedScrollChange();
  void BitBtn1Click();

 private:
  int32_t hostMode_;
};

}  // namespace w95::video
