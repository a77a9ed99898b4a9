#include "ui/Backend.h"

#include "ui/Image.h"

namespace sm::ui {

void Backend::ShowError(const std::string& message) {
  MessageRequest r;
  r.text = message;
  r.caption = Title;
  r.icon = MsgIcon::Error;
  ShowMessage(r);
}

int MessageDlg(Backend& b, const std::string& text, const std::string& caption, MsgIcon icon,
               MsgButtons buttons, int defaultButton) {
  MessageRequest r;
  r.text = text;
  r.caption = caption;
  r.icon = icon;
  r.buttons = buttons;
  r.defaultButton = defaultButton;
  return b.ShowMessage(r);
}

int TImageList::Add(const Image& img) {
  Image out;
  out.width = width_;
  out.height = height_;
  out.pixels.assign(static_cast<size_t>(width_) * height_, 0);
  if (img.width > 0 && img.height > 0 &&
      img.pixels.size() >= static_cast<size_t>(img.width) * img.height) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        out.pixels[static_cast<size_t>(y) * width_ + x] =
            img.pixels[static_cast<size_t>(y * img.height / height_) * img.width + x * img.width / width_];
  }
  images_.push_back(std::move(out));
  ++version_;
  return Count() - 1;
}

}  // namespace sm::ui
