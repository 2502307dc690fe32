// Walks take turns: in arrival order, one place per caller, a bounded queue.
#include "walk_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace profilehelper {
namespace {

// Wait (bounded) until `done` holds.
template <class Done>
bool eventually(Done done) {
  for (int i = 0; i < 500 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

TEST(WalkQueue, OnePlacePerCallerButRootMayQueueMore) {
  WalkQueue queue(8);
  std::atomic<int> rootDone{0};
  std::vector<std::thread> rootWalks;
  {
    WalkTurn running(queue, 1000);
    ASSERT_TRUE(running.entered());
    // The same user's second walk is refused at once, not queued.
    EXPECT_FALSE(queue.enter(1000));

    // Root may have several walks waiting beside the running one.
    for (int i = 0; i < 2; ++i) {
      rootWalks.emplace_back([&] {
        WalkTurn turn(queue, 0);
        if (turn.entered()) ++rootDone;
      });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(rootDone, 0);  // waiting for the running walk
  }
  for (auto& t : rootWalks) t.join();
  EXPECT_EQ(rootDone, 2);
}

TEST(WalkQueue, TurnsFollowArrivalAndAFullQueueRefuses) {
  WalkQueue queue(3);
  std::mutex orderMutex;
  std::vector<uid_t> order;
  std::atomic<bool> firstRunning{false}, releaseFirst{false};
  std::thread first([&] {
    WalkTurn turn(queue, 1);
    firstRunning = true;
    while (!releaseFirst) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(eventually([&] { return firstRunning.load(); }));

  std::vector<std::thread> waiting;
  for (uid_t caller : {2u, 3u}) {
    waiting.emplace_back([&, caller] {
      WalkTurn turn(queue, caller);
      std::lock_guard<std::mutex> lock(orderMutex);
      if (turn.entered()) order.push_back(caller);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // arrive in this order
  }
  // Three places are taken: a fourth caller is refused at once.
  EXPECT_FALSE(queue.enter(4));

  releaseFirst = true;
  first.join();
  for (auto& t : waiting) t.join();
  EXPECT_EQ(order, (std::vector<uid_t>{2, 3}));
  // Everybody has left: the queue takes walks again.
  WalkTurn again(queue, 4);
  EXPECT_TRUE(again.entered());
}

}  // namespace
}  // namespace profilehelper
