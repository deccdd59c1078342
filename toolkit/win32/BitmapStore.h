#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win32/BitmapSource.h"

namespace quorbel::ui {

// The pictures the program has named. A name such as "$FuncUp" becomes a
// key once; the bitmap of a key is asked of the source once per size and DPI
// and kept, since the panel swaps images on every click. Names such as
// "#?Icon" are the system's message icons: "#!" exclamation, "#x" error,
// "#i" information, any other the question mark.
class BitmapStore {
 public:
  explicit BitmapStore(std::shared_ptr<const BitmapSource> source);
  ~BitmapStore();
  BitmapStore(const BitmapStore&) = delete;
  BitmapStore& operator=(const BitmapStore&) = delete;

  // Bitmaps already handed out stay valid.
  void SetSource(std::shared_ptr<const BitmapSource> source);

  // Keys start at 1; the same name always gives the same key.
  int Key(const std::string& imageName);
  bool Known(int key) const { return key >= 1 && key <= static_cast<int>(entries_.size()); }

  // The bitmap of a known key, kept by the store; null when there is none.
  HBITMAP Image(int key, SIZE size, int dpi);
  // The source's own icon of a known key's image, not kept: the caller owns
  // it. Null when the source has none.
  HICON Icon(int key, int side) const;

 private:
  struct Drawn {
    SIZE size{};
    int dpi = 0;
    HBITMAP image = nullptr;
  };
  struct Entry {
    std::string name;
    std::vector<Drawn> drawn;
  };
  HBITMAP Draw(const std::string& name, SIZE size, int dpi) const;

  std::shared_ptr<const BitmapSource> source_;
  std::map<std::string, int> keys_;
  std::vector<Entry> entries_;    // key k is entries_[k - 1]
  std::vector<HBITMAP> retired_;  // drawn by an earlier source
};

}  // namespace quorbel::ui
