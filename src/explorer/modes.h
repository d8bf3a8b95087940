// The modes of the explorer dialog: what a kind given to the dialog entry
// means, how each mode looks and what it hands back.
#pragma once

#include <cstdint>
#include <string>

#include "ui/types.h"

namespace w95::explorer {

inline constexpr int32_t kWindowMode = 999;  // the modeless explorer window
inline constexpr int32_t kMoveMode = 2;
inline constexpr int32_t kReplaceMode = 252;
inline constexpr int32_t kAddMode = 253;
inline constexpr int32_t kOpenMode = 254;

// Kinds 101 to 200 ask for "Convert Multiple Files" at the depth kind - 100.
inline constexpr int32_t kConvertKindBase = 100;
inline constexpr int32_t kLastConvertKind = 200;
// Modes up to 200 are the image-saving modes (the depths, 0 and the move
// mode): the dialog saves into a folder. The slide modes and the window lie
// above.
inline constexpr int32_t kLastImageSavingMode = 200;
inline bool IsImageSavingMode(int32_t mode) { return mode <= kLastImageSavingMode; }
// The image-saving modes that save at a depth (with its formats, the
// compression button and "MultiBPP").
inline bool SavesAtADepth(int32_t mode) { return mode > 0 && mode < kLastImageSavingMode; }

// Help contexts: saving an image, and the other modes.
inline constexpr int kHelpSaving = 101;
inline constexpr int kHelpBrowsing = 100;

struct ModeSetup {
  int32_t mode = 0;  // ExplorerMode
  bool convertFamily = false;
  bool restrictedFormats = false;
  // The move mode's dialog choosing a folder and nothing else (no kind of
  // the dialog entry asks for it).
  bool pickFolder = false;
};
ModeSetup ModeFromKind(int32_t kind, int32_t restrict);

// Modes whose OK hands back a format code: 0 and the pixel depths (the
// convert family included).
bool ReturnsFormatCode(int32_t mode);
// The help context of the explorer in a mode.
int HelpContext(int32_t mode);

// What the file type box shows at the start of a mode.
enum class TypeBox {
  SaveFormats,   // the save formats of the depth (may be empty)
  AllValidated,  // browse entry 1
  Slideshow,     // browse entry 5, disabled
  Hidden,        // the move mode: empty and hidden
};

struct ModeLook {
  std::string caption = "Save File";
  std::string labelList;     // empty: keep "Look &in:"
  bool nameEditable = true;  // file name box: editable in the window colour
  ui::Color nameColor = ui::clWindow;
  bool nameVisible = true;
  bool depthBoxVisible = false;  // BPPtype
  std::string labelName;         // empty: keep "File &name:"
  bool typeLabelVisible = true;
  bool multiSelect = false;
  bool markEntriesShown = false;
  TypeBox typeBox = TypeBox::SaveFormats;
  std::string okCaption;             // empty: decided by the file name box
  std::string openEntryCaption;      // likewise
  bool inputListEntryShown = false;  // "&View input files"
  bool compressionButtonAllowed = true;
  bool newFolderButton = false;  // the modes that save into a folder
};

// The look of a mode of the modal dialog. `saveAsName` fills the move
// mode's label.
ModeLook LookOf(const ModeSetup& setup, const std::string& saveAsName);

// Captions of BtnOK and the FileMenu open entry in modes up to 200, for a
// file name box with or without text (empty BtnOK caption: leave it).
struct OkCaptions {
  std::string button;
  std::string openEntry;
};
OkCaptions SaveCaptions(const ModeSetup& setup, bool nameHasText);

}  // namespace w95::explorer
