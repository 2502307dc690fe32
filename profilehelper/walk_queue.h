// WalkQueue: walks share process-wide state and run one at a time, in the
// order they arrive. Each caller other than root has at most one walk
// waiting or running, and the queue has a fixed length, so no caller can
// keep the others waiting by sending many walks. Thread-safe.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

class WalkQueue {
 public:
  explicit WalkQueue(size_t maxLength) : maxLength_(maxLength) {}

  // Wait until it is `caller`'s turn. False at once when `caller` (not root)
  // already has a walk in the queue or the queue is full.
  bool enter(uid_t caller);
  // End the running walk (the caller whose turn it is) and wake the next.
  void leave();

 private:
  struct Place {
    uid_t caller;
    unsigned long ticket;
  };
  const size_t maxLength_;
  std::mutex mutex_;
  std::condition_variable turn_;
  std::deque<Place> queue_;  // the front one is running
  unsigned long nextTicket_ = 0;
};

// Holds a place in a WalkQueue for one scope.
class WalkTurn {
 public:
  WalkTurn(WalkQueue& queue, uid_t caller) : queue_(queue), entered_(queue.enter(caller)) {}
  ~WalkTurn() {
    if (entered_) queue_.leave();
  }
  WalkTurn(const WalkTurn&) = delete;
  WalkTurn& operator=(const WalkTurn&) = delete;
  bool entered() const { return entered_; }

 private:
  WalkQueue& queue_;
  const bool entered_;
};

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
