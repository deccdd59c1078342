#include "toolkit/win32/BitmapStore.h"

#include <utility>

namespace quorbel::ui {

namespace {

LPCWSTR SystemIcon(char mark) {
  switch (mark) {
    case '!':
      return MAKEINTRESOURCEW(32515);  // the exclamation mark
    case 'x':
    case 'X':
      return MAKEINTRESOURCEW(32513);  // the error cross
    case 'i':
    case 'I':
      return MAKEINTRESOURCEW(32516);  // the information sign
    default:
      return MAKEINTRESOURCEW(32514);  // the question mark
  }
}

// A system icon drawn on the dialog colour in a bitmap of `size`.
HBITMAP IconBitmap(char mark, SIZE size) {
  HDC screen = ::GetDC(nullptr);
  HDC drawing = ::CreateCompatibleDC(screen);
  HBITMAP image = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ old = ::SelectObject(drawing, image);
  const RECT all{0, 0, size.cx, size.cy};
  ::FillRect(drawing, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  const int side = size.cx < size.cy ? size.cx : size.cy;
  ::DrawIconEx(drawing, 0, 0, ::LoadIconW(nullptr, SystemIcon(mark)), side, side, 0, nullptr,
               DI_NORMAL);
  ::SelectObject(drawing, old);
  ::DeleteDC(drawing);
  ::ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace

BitmapStore::BitmapStore(std::shared_ptr<const BitmapSource> source) : source_(std::move(source)) {}

BitmapStore::~BitmapStore() {
  for (Entry& entry : entries_) {
    for (Drawn& drawn : entry.drawn) {
      if (drawn.image != nullptr) ::DeleteObject(drawn.image);
    }
  }
  for (HBITMAP image : retired_) ::DeleteObject(image);
}

void BitmapStore::SetSource(std::shared_ptr<const BitmapSource> source) {
  source_ = std::move(source);
  for (Entry& entry : entries_) {
    for (Drawn& drawn : entry.drawn) {
      if (drawn.image != nullptr) retired_.push_back(drawn.image);
    }
    entry.drawn.clear();
  }
}

int BitmapStore::Key(const std::string& imageName) {
  auto [found, added] = keys_.try_emplace(imageName, static_cast<int>(entries_.size()) + 1);
  if (added) entries_.push_back(Entry{imageName, {}});
  return found->second;
}

HBITMAP BitmapStore::Image(int key, SIZE size, int dpi) {
  if (!Known(key)) return nullptr;
  Entry& entry = entries_[static_cast<std::size_t>(key - 1)];
  for (const Drawn& drawn : entry.drawn) {
    if (drawn.size.cx == size.cx && drawn.size.cy == size.cy && drawn.dpi == dpi) {
      return drawn.image;
    }
  }
  HBITMAP image = Draw(entry.name, size, dpi);
  entry.drawn.push_back(Drawn{size, dpi, image});
  return image;
}

HICON BitmapStore::Icon(int key, int side) const {
  if (!Known(key) || source_ == nullptr) return nullptr;
  const std::string& name = entries_[static_cast<std::size_t>(key - 1)].name;
  if (name.size() < 2 || name.front() != '$') return nullptr;
  return source_->Icon(name.substr(1), side);
}

HBITMAP BitmapStore::Draw(const std::string& name, SIZE size, int dpi) const {
  if (name.size() >= 2 && name.front() == '#') return IconBitmap(name[1], size);
  if (source_ == nullptr || name.empty()) return nullptr;
  return source_->Image(name.front() == '$' ? name.substr(1) : name, size, dpi);
}

}  // namespace quorbel::ui
