// The form behind InputBox and InputQuery: a prompt, an edit box, OK and
// Cancel. Tests script it with WhenModal<ui::InputBoxForm>.
#pragma once

#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

namespace w95::ui {

class InputBoxForm : public Form {
 public:
  InputBoxForm(const std::string& caption, const std::string& prompt, const std::string& value);

  Label Prompt{*this, "Prompt"};
  Edit Value{*this, "Value"};
  Button BtnOK{*this, "BtnOK"};
  Button BtnCancel{*this, "BtnCancel"};
};

}  // namespace w95::ui
