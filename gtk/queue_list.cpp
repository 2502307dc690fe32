#include "queue_list.h"

#include <cups/cups.h>

std::vector<QueueEntry> listCupsQueues() {
  std::vector<QueueEntry> queues;
  cups_dest_t* dests = nullptr;
  int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  for (int i = 0; i < count; ++i) {
    std::string name = dests[i].name;
    if (dests[i].instance) name += std::string("/") + dests[i].instance;
    queues.push_back(QueueEntry{name, dests[i].is_default != 0});
  }
  cupsFreeDests(count, dests);
  return queues;
}
