#include "ui/picture.h"

#include "platform/error.h"
#include "platform/platform.h"

namespace w95::ui {

Picture DecodeBitmap(std::string_view bytes) {
  const platform::PicturePtr picture = platform::DecodeBmp(bytes);
  if (!picture) throw Error("Bitmap image is not valid");
  return *picture;
}

Picture LoadPictureFile(const std::string& path) {
  auto bytes = platform::Current().files->ReadFile(path);
  if (!bytes) throw Error("Cannot open file \"" + path + "\"");
  return DecodeBitmap(*bytes);
}

}  // namespace w95::ui
