#include "toolkit/qt/PictureStore.h"

#include <utility>

namespace quorbel::ui {

PictureStore::PictureStore(std::shared_ptr<const PanelImageSource> source)
    : source_(std::move(source)) {}

void PictureStore::SetSource(std::shared_ptr<const PanelImageSource> source) {
  source_ = std::move(source);
  for (Entry& entry : entries_) entry.drawn.clear();
}

int PictureStore::Key(const std::string& imageName) {
  auto [found, added] = keys_.try_emplace(imageName, static_cast<int>(entries_.size()) + 1);
  if (added) entries_.push_back(Entry{imageName, {}});
  return found->second;
}

const std::string& PictureStore::Name(int key) const {
  static const std::string kNone;
  return Known(key) ? entries_[static_cast<std::size_t>(key - 1)].name : kNone;
}

QPixmap PictureStore::Image(int key, QSize size, qreal devicePixelRatio) {
  if (!Known(key)) return QPixmap();
  Entry& entry = entries_[static_cast<std::size_t>(key - 1)];
  for (const Drawn& drawn : entry.drawn) {
    if (drawn.size == size && drawn.devicePixelRatio == devicePixelRatio) return drawn.image;
  }
  const std::string name =
      !entry.name.empty() && entry.name.front() == '$' ? entry.name.substr(1) : entry.name;
  QPixmap image = source_ ? source_->Image(name, size, devicePixelRatio) : QPixmap();
  if (image.isNull()) {
    image = QPixmap(size.expandedTo(QSize(1, 1)) * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
  }
  entry.drawn.push_back(Drawn{size, devicePixelRatio, image});
  return image;
}

}  // namespace quorbel::ui
