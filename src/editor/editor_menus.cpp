// The pop-up menus of the editor: the slide menu and the attribute menus
// with their preset and free values, and global modification, which writes
// the chosen value into every slide the attribute applies to.
#include <string>

#include "editor/editor_form.h"
#include "editor/slide_ops.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::editor {

namespace {

using Handler = void (TEditorForm::*)(ui::MenuItem&);

struct Preset {
  const char* name;
  const char* caption;
  int value;
  bool columnBreak = false;
};

// The position of an item in its menu.
int IndexOf(const ui::MenuItem& item) {
  const ui::MenuItem* menu = item.Parent();
  for (int i = 0; menu && i < menu->Count(); ++i)
    if (&menu->Item(i) == &item) return i;
  return -1;
}

}  // namespace

void TEditorForm::BuildMenus() {
  auto add = [this](ui::MenuItem& menu, const char* name, const char* caption, Handler handler,
                    intptr_t value = 0, bool columnBreak = false) {
    ui::MenuItem& item = menu.Add(name, caption);
    item.SetTag(value);
    item.SetColumnBreak(columnBreak);
    item.OnClick = [this, handler](ui::MenuItem& sender) {
      const ActionStep step(*this);
      (this->*handler)(sender);
    };
    return &item;
  };
  auto addAll = [&](ui::MenuItem& menu, std::initializer_list<Preset> presets, Handler handler) {
    for (const Preset& p : presets) add(menu, p.name, p.caption, handler, p.value, p.columnBreak);
  };

  // The slide menu repeats the slide operations.
  auto slide = [&](const char* name, const char* caption, std::function<void()> action,
                   bool columnBreak = false) {
    ui::MenuItem& item = mnuEdit.Add(name, caption);
    item.SetColumnBreak(columnBreak);
    item.OnClick = [action = std::move(action)](ui::MenuItem&) { action(); };
    return &item;
  };
  mnuAdd = slide("mnuAdd", "&Add slide(s)", [this] { BtnAddClick(false); });
  mnuInsert = slide("mnuInsert", "&Insert slide(s)", [this] { BtnAddClick(true); });
  mnuTag = slide("mnuTag", "&Tag slide", [this] { TagSlide(); });
  mnuDelete = slide("mnuDelete", "&Erase slide", [this] { BtnDeleteClick(kEraseAsked); });
  mnuMove = slide("mnuMove", "&Move slide", [this] { BtnMoveClick(BtnMove); });
  mnuFind = slide("mnuFind", "&Find slide", [this] { BtnFindClick(BtnFind); });
  mnuInfo = slide(
      "mnuInfo", "File i&nfo", [this] { BtnInfoClick(BtnInfo); }, true);
  mnuView = slide("mnuView", "Vie&w file", [this] { SaveTagList(); });
  mnuRelocate = slide("mnuRelocate", "Mo&ve file", [this] { mnuRelocateClick(); });
  mnuTrash = slide("mnuTrash", "Tras&h file", [this] { BtnTrashClick(BtnTrash); });
  mnuFindMissing =
      slide("mnuFindMissing", "Find missing fi&les...", [this] { FindMissingClick(false); });
  mnuFindThis = slide("mnuFindThis", "Fin&d this file...", [this] { FindMissingClick(true); });
  mnuDuplicate = slide("mnuDuplicate", "D&uplicate slide(s)", [this] { DuplicateClick(); });
  mnuDuplicate->SetShortCut("Ctrl+D");
  for (ui::MenuItem* m : {mnuInsert, mnuTag, mnuDelete, mnuMove, mnuFind, mnuInfo, mnuView,
                          mnuRelocate, mnuTrash, mnuDuplicate})
    m->SetEnabled(false);
  mnuEdit.OnPopup = [this](ui::Control& s) { mnuEditPopup(s); };

  const auto& effects = EffectNames();
  for (int i = 0; i < kEffectCount; ++i)
    add(mnuFX, ("fx" + std::to_string(i)).c_str(),
        std::string(effects[static_cast<size_t>(i)]).c_str(), &TEditorForm::fx1Click, i, i == 15);

  addAll(mnuFLI,
         {{"Loop1", "Loop 1x", 0},
          {"Loop2", "Loop 2x", 1},
          {"Loop3", "Loop 3x", 2},
          {"Loop4", "Loop 4x", 3}},
         &TEditorForm::Loop1Click);
  add(mnuFLI, "LoopX", "Loop N times", &TEditorForm::LoopXClick);

  addAll(mnuWait,
         {{"wait0", "none", 0},
          {"wait1", "1 second", 1},
          {"wait2", "2 seconds", 2},
          {"wait5", "5 seconds", 5},
          {"wait10", "10 seconds", 10},
          {"wait20", "20 seconds", 20},
          {"wait30", "30 seconds", 30},
          {"wait60", "1 minute", 60, true},
          {"wait120", "2 minutes", 120},
          {"wait180", "3 minutes", 180},
          {"wait300", "5 minutes", 300}},
         &TEditorForm::waitXClick);
  add(mnuWait, "waitUser", "User", &TEditorForm::waitUserClick);

  addAll(mnuHPOS, {{"hposLeft", "Left", 0}, {"hposMid", "Mid", 0}}, &TEditorForm::hpos0Click);
  add(mnuHPOS, "hposUser", "&User", &TEditorForm::hposXClick);
  addAll(mnuVPOS, {{"vposTop", "Top", 0}, {"vposMid", "Mid", 0}}, &TEditorForm::vpos0Click);
  add(mnuVPOS, "vposUser", "&User", &TEditorForm::vposXClick);

  addAll(mnuSIZE,
         {{"sz50", "50%", 50},
          {"sz100", "100%", 100},
          {"sz200", "200%", 200},
          {"sz300", "300%", 300},
          {"sz400", "400%", 400}},
         &TEditorForm::sz0Click);
  add(mnuSIZE, "szUser", "&User", &TEditorForm::szXClick);
  addAll(
      mnuVOL,
      {{"volOff", "Off", 0}, {"vol50", "50%", 50}, {"vol75", "75%", 75}, {"vol100", "100%", 100}},
      &TEditorForm::vol0Click);
  add(mnuVOL, "volUser", "&User", &TEditorForm::volXClick);
  addAll(mnuSPD,
         {{"spd50", "50%", 50},
          {"spd100", "100%", 100},
          {"spd150", "150%", 150},
          {"spd200", "200%", 200}},
         &TEditorForm::spd0Click);
  add(mnuSPD, "spdUser", "&User", &TEditorForm::spdXClick);

  // Colours as 0x00BBGGRR; "none" and "&User Color" carry -1 and -2.
  addAll(mnuColor,
         {{"clrNone", "none", -1},
          {"clrBlack", "Black", 0x000000},
          {"clrNavy", "Navy Blue", 0x800000},
          {"clrGreen", "Green", 0x008000},
          {"clrTeal", "Teal", 0x808000},
          {"clrMaroon", "Maroon", 0x000080},
          {"clrPurple", "Purple", 0x800080},
          {"clrOlive", "Olive", 0x008080},
          {"clrSilver", "Silver", 0xC0C0C0},
          {"clrUser", "&User Color", -2, true},
          {"clrGray", "Gray", 0x808080},
          {"clrBlue", "Blue", 0xFF0000},
          {"clrLime", "Lime", 0x00FF00},
          {"clrAqua", "Aqua", 0xFFFF00},
          {"clrRed", "Red", 0x0000FF},
          {"clrFuchsia", "Fuchsia", 0xFF00FF},
          {"clrYellow", "Yellow", 0x00FFFF},
          {"clrWhite", "White", 0xFFFFFF}},
         &TEditorForm::clr0Click);
}

// ---- writing a value: into the current slide, or into every slide ---------------------

// A value chosen from a menu or the value dialog is what marks the script
// changed; a menu dismissed without a choice leaves it as it was. Several
// slides selected get it all, where it applies to them, as global
// modification writes it into every slide.
void TEditorForm::SetCurrent(int col, const std::string& value) {
  Grid.SetCell(col, CurrentRow(), value);
  state_.Modified = true;
}

void TEditorForm::SetValue(int col, const std::string& value) {
  if (!globalMode_ && !SeveralSelected()) {
    SetCurrent(col, value);
    return;
  }
  const std::vector<int> rows = SelectedSlides();
  if (ModifyRows(Grid, globalMode_ ? nullptr : &rows, col, value) > 0) state_.Modified = true;
}

void TEditorForm::WritePosition(int col, const std::string& value) {
  if (globalMode_ || SeveralSelected()) {
    const std::vector<int> rows = SelectedSlides();
    if (ModifyRowsPOS(Grid, globalMode_ ? nullptr : &rows, col, value) > 0) state_.Modified = true;
    return;
  }
  SetCurrent(col, value);
  if (value == kMid) SetCurrent(col == kColHorz ? kColVert : kColHorz, value);
}

void TEditorForm::SetEffect(const std::string& caption, int index, bool loop) {
  if (!globalMode_ && !SeveralSelected()) {
    SetCurrent(kColEffect, caption);
    SetCurrent(kColValue, std::to_string(index));
    return;
  }
  const std::vector<int> selected = SelectedSlides();
  const std::vector<int>* rows = globalMode_ ? nullptr : &selected;
  const auto modify = loop ? &ModifyRowsLOOP : &ModifyRowsFX;
  if (modify(Grid, rows, kColEffect, caption) > 0) state_.Modified = true;
  modify(Grid, rows, kColValue, std::to_string(index));
}

// ---- the menus' handlers --------------------------------------------------------------

void TEditorForm::fx1Click(ui::MenuItem& sender) {
  SetEffect(sender.Caption(), IndexOf(sender), false);
}

void TEditorForm::Loop1Click(ui::MenuItem& sender) {
  SetEffect(sender.Caption(), IndexOf(sender), true);
}

void TEditorForm::LoopXClick(ui::MenuItem&) {
  const int n = AskValue("Loop Animation N Times", 1, 20, 1, 1, 1);
  if (n == -1) return;
  SetEffect(LoopText(n), n - 1, true);
}

void TEditorForm::waitXClick(ui::MenuItem& sender) {
  SetValue(kColWait, std::to_string(sender.Tag()));
}

void TEditorForm::waitUserClick(ui::MenuItem&) {
  const int v = AskValue("Slide Delay/Wait (secs)", 0, 32000, 1, 60, 0);
  if (v != -1) SetValue(kColWait, std::to_string(v));
}

void TEditorForm::hpos0Click(ui::MenuItem& sender) { WritePosition(kColHorz, sender.Caption()); }

void TEditorForm::hposXClick(ui::MenuItem&) {
  const int v = AskValue("Horizontal Position (pixels)", 0, ui::Screen().Width() - 33, 1, 10, 0);
  if (v != -1) WritePosition(kColHorz, std::to_string(v));
}

void TEditorForm::vpos0Click(ui::MenuItem& sender) { WritePosition(kColVert, sender.Caption()); }

void TEditorForm::vposXClick(ui::MenuItem&) {
  const int v = AskValue("Vertical Position (pixels)", 0, ui::Screen().Height() - 33, 1, 10, 0);
  if (v != -1) WritePosition(kColVert, std::to_string(v));
}

void TEditorForm::sz0Click(ui::MenuItem& sender) {
  SetValue(kColZoom, std::to_string(sender.Tag()));
}

void TEditorForm::szXClick(ui::MenuItem&) {
  const int v = AskValue("Video Zoom Factor (%)", 25, 400, 1, 25, 100);
  if (v != -1) SetValue(kColZoom, std::to_string(v));
}

void TEditorForm::vol0Click(ui::MenuItem& sender) {
  SetValue(kColVolume, std::to_string(sender.Tag()));
}

void TEditorForm::volXClick(ui::MenuItem&) {
  const int v = AskValue("Audio Volume Factor (%)", 0, 100, 1, 10, 50);
  if (v != -1) SetValue(kColVolume, std::to_string(v));
}

void TEditorForm::spd0Click(ui::MenuItem& sender) {
  SetValue(kColSpeed, std::to_string(sender.Tag()));
}

void TEditorForm::spdXClick(ui::MenuItem&) {
  const int v = AskValue("Video Speed Factor (%)", 25, 200, 1, 25, 100);
  if (v != -1) SetValue(kColSpeed, std::to_string(v));
}

void TEditorForm::clr0Click(ui::MenuItem& sender) {
  if (sender.Tag() == -1) {
    SetValue(kColHasColour, std::string(kNo));
  } else {
    ui::Color colour = static_cast<ui::Color>(sender.Tag());
    if (sender.Tag() == -2) {
      colour = 0;
      if (const auto current = ParseDecimal(Grid.Cell(kColColour, CurrentRow())))
        colour = static_cast<ui::Color>(*current) & 0xFFFFFFu;
      if (!ui::ColorDialog(colour)) return;
      colour &= 0xFFFFFFu;
    }
    SetValue(kColColour, std::to_string(colour));
    SetValue(kColHasColour, std::string(kYes));
  }
  GridClick(Grid);
}

void TEditorForm::GammaClick() {
  const int v = AskValue("Gamma Correction (n/100)", 10, 500, 1, 10, 100);
  if (v != -1) SetValue(kColGamma, std::to_string(v));
}

void TEditorForm::BtnGlobalClick(ui::Control&) {
  const ActionStep step(*this);
  const int row = CurrentRow();
  const int col = Grid.Col();
  if (Grid.Cell(col, row) == kNotApplicable) return;
  globalMode_ = true;
  if (col == kColName) return;
  keyboardOpened_ = false;
  OpenCell(col);
  GridClick(Grid);
}

}  // namespace w95::editor
