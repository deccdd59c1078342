#pragma once

#include <QPixmap>
#include <QSize>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/qt/PanelImageSource.h"

namespace quorbel::ui {

// The pictures the program has named. A name such as "$FuncUp" becomes a
// key once; the image of a key is asked of the image source once per size
// and pixel ratio and kept, since the panel swaps images on every click.
class PictureStore {
 public:
  explicit PictureStore(std::shared_ptr<const PanelImageSource> source);

  void SetSource(std::shared_ptr<const PanelImageSource> source);

  // Keys start at 1; the same name always gives the same key.
  int Key(const std::string& imageName);
  bool Known(int key) const { return key >= 1 && key <= static_cast<int>(entries_.size()); }
  const std::string& Name(int key) const;

  // The image of a known key. When the source has none, a transparent image
  // of `size`, so that an unknown name shows nothing but still takes clicks.
  QPixmap Image(int key, QSize size, qreal devicePixelRatio);

 private:
  struct Drawn {
    QSize size;
    qreal devicePixelRatio = 1;
    QPixmap image;
  };
  struct Entry {
    std::string name;
    std::vector<Drawn> drawn;
  };

  std::shared_ptr<const PanelImageSource> source_;
  std::map<std::string, int> keys_;
  std::vector<Entry> entries_;  // key k is entries_[k - 1]
};

}  // namespace quorbel::ui
