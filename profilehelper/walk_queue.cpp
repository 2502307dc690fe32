#include "walk_queue.h"

#include <algorithm>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

bool WalkQueue::enter(uid_t caller) {
  std::unique_lock<std::mutex> lock(mutex_);
  const bool queued = std::any_of(queue_.begin(), queue_.end(), [&](const Place& p) { return p.caller == caller; });
  if ((caller != 0 && queued) || queue_.size() >= maxLength_) return false;
  const unsigned long ticket = nextTicket_++;
  queue_.push_back(Place{caller, ticket});
  turn_.wait(lock, [&] { return queue_.front().ticket == ticket; });
  return true;
}

void WalkQueue::leave() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.pop_front();
  }
  turn_.notify_all();
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
