// The CUPS destinations the dialog offers: every queue and instance the
// server (CUPS_SERVER, client.conf) and the user's lpoptions know.
#pragma once

#include <string>
#include <vector>

struct QueueEntry {
  std::string name;  // "QUEUE" or "QUEUE/INSTANCE"
  bool isDefault = false;
};

// The destinations in the server's order; empty when there are none or the
// server cannot be reached.
std::vector<QueueEntry> listCupsQueues();
