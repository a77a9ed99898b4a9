#pragma once
// Images held as plain pixels, so that forms and tests build and compare them without a window
// system; the Win32 peers turn them into bitmaps and image lists.
#include <cstdint>
#include <vector>

namespace sm::ui {

// 32-bit pixels 0xAARRGGBB, rows top to bottom; alpha 0 is transparent.
struct Image {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  bool operator==(const Image&) const = default;
};

// An ordered list of images of one size. Widgets that show images from the list (a list view's
// small and state images) refer to them by index; appending keeps earlier indices valid.
class TImageList {
 public:
  TImageList(int width = 16, int height = 16) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  const Image& At(int i) const { return images_.at(i); }
  // Appends an image (scaled by nearest pixel when its size differs) and returns its index.
  int Add(const Image& img);
  void Clear() { images_.clear(); ++version_; }
  // Increases with every change, so peers know when to rebuild their copy.
  unsigned Version() const { return version_; }

 private:
  int width_, height_;
  std::vector<Image> images_;
  unsigned version_ = 0;
};

}  // namespace sm::ui
