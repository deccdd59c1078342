#include "app/qt/DescriptorWatch.h"

#include <QSocketNotifier>

namespace quorbel {

DescriptorWatch::DescriptorWatch(int descriptor, std::function<void()> onReadable)
    : onReadable_(std::move(onReadable)) {
  if (descriptor < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { onReadable_(); });
}

DescriptorWatch::~DescriptorWatch() = default;

}  // namespace quorbel
