#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace quorbel {

// Calls a function on the event loop's thread whenever a descriptor becomes
// readable; the function must read what made it so.
class DescriptorWatch {
 public:
  // Nothing is watched for a negative descriptor.
  DescriptorWatch(int descriptor, std::function<void()> onReadable);
  ~DescriptorWatch();
  DescriptorWatch(const DescriptorWatch&) = delete;
  DescriptorWatch& operator=(const DescriptorWatch&) = delete;

 private:
  std::function<void()> onReadable_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace quorbel
