// Message boxes and the common dialogs.
#pragma once

#include <string>
#include <string_view>

#include "ui/types.h"

namespace w95::ui {

// A box of one of the four kinds, titled "Warning", "Error", "Information" or
// "Confirm" with its icon; returns the button pressed (mrOk, mrYes, mrNo,
// mrCancel). Closing the box without a button counts as its Cancel or No.
ModalResult MessageDlg(std::string_view text, MsgKind kind, Buttons buttons);

// A small modal form with a prompt and an edit box; returns the text entered,
// or `def` when cancelled. InputQuery tells whether OK was pressed.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& def);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// The common colour, font and print setup dialogs; false when cancelled.
// The print setup dialog works on the machine's printer object: printer,
// paper and orientation chosen there are its own from then on.
bool ColorDialog(Color& color);
bool FontDialog(Font& font);
bool PrintSetupDialog();

}  // namespace w95::ui
