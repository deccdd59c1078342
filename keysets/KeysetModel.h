#pragma once

#include <mutex>

#include "keysets/KeysetTable.h"

namespace quorbel {

// The keyset table shared by the GUI thread and the device thread. Every
// operation, and each whole edit, runs under its one mutex:
//
//   auto model = keysets.Lock();
//   model->SetStep(c, s, step);
//
// Playback takes a copy of the sequence under the lock and plays it without.
class KeysetModel {
 public:
  class Locked {
   public:
    explicit Locked(KeysetModel& model) : lock_(model.mutex_), table_(model.table_) {}
    KeysetTable* operator->() { return &table_; }
    KeysetTable& operator*() { return table_; }

   private:
    std::unique_lock<std::mutex> lock_;
    KeysetTable& table_;
  };

  Locked Lock() { return Locked(*this); }
  Sequence CopySequence(int c) { return Lock()->CopySequence(c); }

 private:
  std::mutex mutex_;
  KeysetTable table_;
};

}  // namespace quorbel
