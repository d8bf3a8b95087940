#include "ui/label.h"

#include <cctype>

namespace w95::ui {

Label::Label(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 32, 13);
}

void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  Changed(Prop::Alignment);
}

char Label::Accelerator() const {
  const std::string& t = Text();
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != '&') continue;
    if (t[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(t[i + 1])));
  }
  return 0;
}

}  // namespace w95::ui
