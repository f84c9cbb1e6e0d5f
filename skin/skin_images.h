// Loading the pictures of the skin. Every picture is decoded once, when a
// window first needs it, into a pixmap the window's controls then copy
// from; a picture that cannot be loaded ends the program (exit code 0): a
// window without its pictures cannot be used at all.
#pragma once

#include <QImage>
#include <QPixmap>
#include <string>

namespace skin {

// Ends the process at once with exit code 0, as the skinned windows do when
// their pictures are missing.
[[noreturn]] void EndProcessQuietly();

// The image at `path`, or nothing when it cannot be opened or decoded.
QImage TryLoadImage(const std::string& path);
// The picture at `path`; ends the process when it cannot be loaded.
QPixmap LoadSkinPicture(const std::string& path);

// A window's shared state images.
struct StateImages {
  QPixmap normal;
  QPixmap over;
  QPixmap down;
  QPixmap disabled;
  bool loaded() const { return !normal.isNull(); }
};

}  // namespace skin
