// The settings file shared with the host and its key catalogue. Keys are
// matched without regard to case ("Savename" and "SaveName" are one key).
#pragma once

namespace w95::keys {

inline constexpr char kSettingsFile[] = "plimbo.ini";
inline constexpr char kSection[] = "plimbo";

// Read by most string readers as "no value stored".
inline constexpr char kAbsent[] = "ERROR";
// Read by the format-choice readers as "no choice stored".
inline constexpr int kNoChoice = 911;

// The current file: file to play, file chosen in the explorer, script to
// open or save. The explorer writes it spelled kSavename.
inline constexpr char kSaveName[] = "SaveName";
inline constexpr char kSavename[] = "Savename";
inline constexpr char kLongName[] = "LongName";
inline constexpr char kWin95File[] = "Win95file";
// Name of the exchange file, and the explorer's fallback when it is missing.
inline constexpr char kWin95Tmp[] = "Win95Tmp";
inline constexpr char kDefaultExchangeFile[] = "c:\\plimbo.tmp";
inline constexpr char kLastDir[] = "LastDir";
inline constexpr char kSavePath[] = "SavePath";
inline constexpr char kDefaultDir[] = "c:\\";
inline constexpr char kSaveAs[] = "SaveAs";
inline constexpr char kSaveExt[] = "SaveExt";

// Format chosen per pixel depth, with the default taken when 911 is read.
inline constexpr char kSave1[] = "Save1";
inline constexpr char kSave4[] = "Save4";
inline constexpr char kSave8[] = "Save8";
inline constexpr char kSave16[] = "Save16";
inline constexpr char kSave24[] = "Save24";
inline constexpr int kSave1Default = 5;
inline constexpr int kSave4Default = 0;
inline constexpr int kSave8Default = 9;
inline constexpr int kSave16Default = 2;
inline constexpr int kSave24Default = 5;
inline constexpr char kMultiBPP[] = "MultiBPP";

// Compression settings per format, with the default taken when 911 is read.
inline constexpr char kSaveYUV[] = "SaveYUV";
inline constexpr char kSaveJPG[] = "SaveJPG";
inline constexpr char kSavePIC[] = "SavePIC";
inline constexpr char kSaveCMP[] = "SaveCMP";
inline constexpr int kSaveYUVDefault = 0;
inline constexpr int kSaveJPGDefault = 6;
inline constexpr int kSavePICDefault = 12;
inline constexpr int kSaveCMPDefault = 0;

// Placement of the modeless explorer window; -1 means none stored.
inline constexpr char kWinTop[] = "bWinT";
inline constexpr char kWinLeft[] = "bWinL";
inline constexpr char kWinWidth[] = "bWinW";
inline constexpr char kWinHeight[] = "bWinH";
inline constexpr int kNoPlacement = -1;

inline constexpr char kSafePlay[] = "SafePLAY";

// The explorer's file list, remembered across openings; absent means the
// list as it always was.
inline constexpr char kExpView[] = "ExpView";          // 1 details view, 0 the list
inline constexpr char kExpSort[] = "ExpSort";          // 0 name, 1 size, 2 type, 3 date
inline constexpr char kExpSortDesc[] = "ExpSortDesc";  // 1 descending
inline constexpr char kExpPreview[] = "ExpPreview";    // 1 the picture pane shown

// The video window's choices, remembered across openings.
inline constexpr char kVidZoom[] = "VidZoom";            // 1..4, the zoom chosen last
inline constexpr char kVidStatusBar[] = "VidStatusBar";  // 1 shown, 0 hidden
inline constexpr char kVidLoop[] = "VidLoop";            // 1 loops
inline constexpr char kVidQuiet[] = "VidQuiet";          // 1 plays without sound
inline constexpr char kVidTime[] = "VidTime";            // 1 shows the time, 0 the frame only

// The print setup window's choices, remembered across openings; absent (or
// out of range) means the window's own default.
inline constexpr char kPrtUnit[] = "PrtUnit";        // 0 pixels, 1 inches, 2 centimetres
inline constexpr char kPrtStyle[] = "PrtStyle";      // 0..6, the style list's index
inline constexpr char kPrtColor[] = "PrtColor";      // 1 colour, 0 grey
inline constexpr char kPrtEnhance[] = "PrtEnhance";  // 1 enhanced, 0 not
inline constexpr char kPrtZoom[] = "PrtZoom";        // 1..100, the size bar's position
inline constexpr char kPrtPhoto[] = "PrtPhoto";      // the photo size list's index
inline constexpr char kPrtFill[] = "PrtFill";        // 1 crops the picture to the photo size
inline constexpr char kPrtWidth[] = "PrtWidth";      // a typed width, thousandths of an inch
inline constexpr char kPrtPaper[] = "PrtPaper";      // 1 landscape, 0 portrait: the last chosen
inline constexpr char kPrtRotate[] = "PrtRotate";    // 1 turns the page the picture's way

// Image placement (print setup, and the video window's grab).
inline constexpr char kPrLeft[] = "prL";
inline constexpr char kPrTop[] = "prT";
inline constexpr char kPrWidth[] = "prW";
inline constexpr char kPrHeight[] = "prH";
// Print options: enhancement, colour, dithering method.
inline constexpr char kPrEnhance[] = "prN";
inline constexpr char kPrColour[] = "prC";
inline constexpr char kPrDither[] = "prD";
inline constexpr char kBmp[] = "BMP";

// Slide editor.
inline constexpr char kAvlFil[] = "AVLFIL";
inline constexpr char kNoScript[] = "*";
inline constexpr char kAvlTmp[] = "AVLTMP";
inline constexpr char kAppDir[] = "AppDir";
inline constexpr char kAvlNow[] = "AVLNOW";
inline constexpr char kThmIdx[] = "THMidx";
inline constexpr char kAvlIdx[] = "AVLidx";

}  // namespace w95::keys
