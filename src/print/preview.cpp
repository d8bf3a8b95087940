// The built-in preview picture: a small landscape (sky, sun, hills) that
// stands for the image until the host names a picture file.
#include "print/print_form.h"

namespace w95::print {

ui::Picture PlaceholderPicture() {
  ui::Picture p;
  p.width = 48;
  p.height = 48;
  p.pixels.resize(48 * 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      const int sky = 255 - y * 2;
      uint32_t c = static_cast<uint32_t>((120 + y) << 16 | (170 + y) << 8 | sky);
      const int dx = x - 34, dy = y - 12;
      if (dx * dx + dy * dy < 36) c = 0xFFD040;          // the sun
      const int hill = 30 + ((x - 16) * (x - 16)) / 40;  // a hill on the left
      if (y > hill || y > 40 - x / 6)
        c = static_cast<uint32_t>(0x208020 + ((y & 4) ? 0x001000 : 0));
      p.pixels[static_cast<size_t>(y) * 48 + static_cast<size_t>(x)] = c;
    }
  return p;
}

}  // namespace w95::print
