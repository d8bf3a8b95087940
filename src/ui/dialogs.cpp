#include "ui/dialogs.h"

#include "ui/form_registry.h"
#include "ui/input_box.h"
#include "ui/peer.h"

namespace w95::ui {

ModalResult MessageDlg(std::string_view text, MsgKind kind, Buttons buttons) {
  const detail::DialogBoxScope box;
  return CurrentBackend().Message(kind, text, buttons);
}

InputBoxForm::InputBoxForm(const std::string& caption, const std::string& prompt,
                           const std::string& value)
    : Form("InputBox") {
  SetCaption(caption);
  SetBorderStyle(BorderStyle::Dialog);
  SetBorderIcons(false);
  SetPosition(FormPosition::ScreenCenter);
  SetClientSize(270, 97);
  Prompt.SetCaption(prompt);
  Prompt.SetBounds(8, 8, 254, 13);
  Value.SetBounds(8, 26, 254, 21);
  Value.SetText(value);
  BtnOK.SetCaption("OK");
  BtnOK.SetBounds(54, 62, 75, 25);
  BtnOK.SetDefault(true);
  BtnOK.SetModalResult(mrOk);
  BtnCancel.SetCaption("Cancel");
  BtnCancel.SetBounds(140, 62, 75, 25);
  BtnCancel.SetCancel(true);
  BtnCancel.SetModalResult(mrCancel);
  OnActivate = [this](Control&) {
    Value.SetFocus();
    Value.SelectAll();
  };
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  InputBoxForm form(caption, prompt, value);
  if (form.ShowModal() != mrOk) return false;
  value = form.Value.Text();
  return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& def) {
  std::string value = def;
  return InputQuery(caption, prompt, value) ? value : def;
}

bool ColorDialog(Color& color) {
  const detail::DialogBoxScope box;
  return CurrentBackend().PickColor(color);
}
bool FontDialog(Font& font) {
  const detail::DialogBoxScope box;
  return CurrentBackend().PickFont(font);
}
bool PrintSetupDialog() {
  const detail::DialogBoxScope box;
  return CurrentBackend().RunPrintSetup();
}

}  // namespace w95::ui
