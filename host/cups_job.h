// Submitting a print dialog's job to a CUPS queue: the documents are
// opened before anything is sent, so that a file that cannot be read stops
// the print before a job exists; then one job carries every document and
// the job options. Main thread only.
#pragma once

#include <string>
#include <vector>

#include "cups_job_options.h"

class CupsQueue;

// The documents of one job, each held open from `add` until printed.
class PrintDocuments {
 public:
  PrintDocuments() = default;
  ~PrintDocuments();
  PrintDocuments(const PrintDocuments&) = delete;
  PrintDocuments& operator=(const PrintDocuments&) = delete;

  // Open `path` ("-": standard input). Standard input, pipes and devices
  // are copied into an unlinked temporary file first. False with a message
  // when the file cannot be read, is a folder, is empty, or standard input
  // is named twice.
  bool add(const std::string& path, std::string* error);
  bool empty() const { return documents_.empty(); }
  size_t count() const { return documents_.size(); }

  struct Document {
    std::string path;  // as given; "-" for standard input
    std::string name;  // the document name the job shows
    int fd = -1;
  };
  const std::vector<Document>& documents() const { return documents_; }

 private:
  std::vector<Document> documents_;
};

// Submit `documents` to the queue as one job named `title` (empty: the
// first document's name) with `options`. The job id, or 0 with a message;
// a job whose documents could not all be sent is cancelled.
int submitPrintJob(const CupsQueue& queue, const PrintDocuments& documents, const std::string& title,
                   const std::vector<JobOption>& options, std::string* error);

// Submit the dialog's job: the job options of `settings` (see
// jobOptionsFromSettings), with `copies` when above 0. The job id, or 0
// with a message; nothing is sent when an entry cannot be a job option.
int submitDialogJob(const CupsQueue& queue, const PrintDocuments& documents, const pdk::Value& settings,
                    const std::string& title, int copies, std::string* error);
