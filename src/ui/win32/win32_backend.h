// What the Win32 backend offers to tests beyond the toolkit: the last message
// box it answered as it appeared on screen.
#pragma once

#include <string>
#include <vector>

namespace w95::ui::win32 {

struct LastBox {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions, in window order
};
const LastBox& LastMessageBox();

}  // namespace w95::ui::win32
