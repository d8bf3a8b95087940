#include "explorer/modes.h"

#include "explorer/formats.h"

namespace w95::explorer {

ModeSetup ModeFromKind(int32_t kind, int32_t restrict) {
  ModeSetup s;
  s.mode = kind;
  s.restrictedFormats = restrict > 0;
  if (kind > kConvertKindBase && kind <= kLastConvertKind) {
    s.convertFamily = true;
    s.mode = kind - kConvertKindBase;
  }
  return s;
}

bool ReturnsFormatCode(int32_t mode) { return mode == 0 || IsPixelDepth(mode); }

int HelpContext(int32_t mode) { return ReturnsFormatCode(mode) ? kHelpSaving : kHelpBrowsing; }

ModeLook LookOf(const ModeSetup& setup, const std::string& saveAsName) {
  ModeLook look;
  const int32_t mode = setup.mode;
  if (mode == kReplaceMode) {
    look.caption = "Replace Slide";
    look.typeBox = TypeBox::AllValidated;
    return look;
  }
  if (mode == kAddMode) {
    look.caption = "Add Multiple Slides";
    look.nameEditable = false;
    look.nameColor = ui::clBtnHighlight;
    look.multiSelect = true;
    look.markEntriesShown = true;
    look.typeBox = TypeBox::AllValidated;
    return look;
  }
  if (mode == kOpenMode) {
    look.caption = "Open Slideshow";
    look.typeBox = TypeBox::Slideshow;
    return look;
  }
  // An unknown mode above the open mode gets the saving look with an empty
  // format list, disabled like the slideshow entry.
  if (mode == 0) look.typeBox = TypeBox::Slideshow;
  if (!IsImageSavingMode(mode)) return look;  // an unknown mode keeps the saving look
  look.labelList = "Save &in";
  look.newFolderButton = true;
  if (mode == kMoveMode) {  // kind 102 (or 2)
    look.caption = "Move File to";
    look.nameVisible = false;
    look.labelName = "File: " + saveAsName;
    look.typeLabelVisible = false;
    look.typeBox = TypeBox::Hidden;
    look.okCaption = "Mo&ve";
    look.openEntryCaption = "Move";
    look.compressionButtonAllowed = false;
    if (setup.pickFolder) {
      look.caption = "Search Folder";
      look.labelList = "Look &in:";
      look.labelName = "Missing files are looked for here and below.";
      look.okCaption = "&Search";
      look.openEntryCaption = "Search";
      look.newFolderButton = false;  // it only looks for files
    }
  } else if (setup.convertFamily) {
    look.caption = "Convert Multiple Files";
    look.nameVisible = false;
    look.depthBoxVisible = true;
    look.labelName = "&Pixels:";
    look.okCaption = "Con&vert";
    look.openEntryCaption = "Convert";
    look.inputListEntryShown = true;
  }
  return look;
}

OkCaptions SaveCaptions(const ModeSetup& setup, bool nameHasText) {
  OkCaptions c;
  // The move and convert buttons keep the caption of their mode.
  const bool ownButton = setup.convertFamily || setup.mode == kMoveMode;
  if (!nameHasText) {
    c.openEntry = "Open";
    if (!ownButton) c.button = "&Open";
    return c;
  }
  if (setup.mode == kMoveMode) {
    c.openEntry = "Move";
  } else if (setup.convertFamily) {
    c.openEntry = "Convert";
  } else {
    c.openEntry = "Save";
    c.button = "&Save";
  }
  return c;
}

}  // namespace w95::explorer
