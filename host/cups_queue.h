// CupsQueue: one CUPS destination opened for a print dialog: the connection
// to the CUPS server, the destination with its attributes and the user's
// saved options (lpoptions), and the queue's PPD. Main thread only.
#pragma once

#include <string>

typedef struct _http_s http_t;
typedef struct cups_dest_s cups_dest_t;

class CupsQueue {
 public:
  CupsQueue() = default;
  ~CupsQueue();
  CupsQueue(const CupsQueue&) = delete;
  CupsQueue& operator=(const CupsQueue&) = delete;

  // Connect to the CUPS server (CUPS_SERVER, client.conf) and look up
  // `name` ("QUEUE" or "QUEUE/INSTANCE"; empty: the user's default
  // destination). False with a message when the server cannot be reached
  // or the queue does not exist.
  bool open(const std::string& name, std::string* error);

  // Copy the queue's PPD into a temporary file and return its path; the
  // caller removes the file. False with a message when the queue has none.
  bool fetchPPD(std::string* path, std::string* error);

  // The queue's name (the printer identifier) and instance ("" for none).
  const std::string& name() const { return name_; }
  const std::string& instance() const { return instance_; }
  // The queue's device URI, "" when the server does not tell it.
  std::string deviceURI() const;
  // The server as a user would name it: "localhost:631" or a socket path.
  std::string serverName() const;

  // The connection and the destination (its options: the queue's
  // attributes and the user's saved options).
  http_t* connection() const { return http_; }
  cups_dest_t* destination() const { return dest_; }

 private:
  http_t* http_ = nullptr;
  cups_dest_t* dest_ = nullptr;
  std::string name_, instance_;
};
