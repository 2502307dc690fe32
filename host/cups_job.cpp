#include "cups_job.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "cups_queue.h"

namespace {

// Read everything from `in` into an unlinked temporary file, positioned at
// its start; -1 with a message on failure or when nothing came.
int copyToTemporaryFile(int in, const std::string& label, std::string* error) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/printdialog-XXXXXX";
  int out = ::mkstemp(pattern.data());
  if (out < 0) {
    *error = "cannot make a temporary file for " + label + ": " + std::strerror(errno);
    return -1;
  }
  ::unlink(pattern.c_str());
  char buffer[65536];
  off_t total = 0;
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = "cannot read " + label + ": " + std::strerror(errno);
      ::close(out);
      return -1;
    }
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) {
        *error = "cannot copy " + label + " into a temporary file: " + std::strerror(errno);
        ::close(out);
        return -1;
      }
      done += w;
    }
    total += n;
  }
  if (total == 0) {
    *error = label + " is empty; there is nothing to print";
    ::close(out);
    return -1;
  }
  ::lseek(out, 0, SEEK_SET);
  return out;
}

std::string baseName(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Send one open document of job `jobId`; false with a message.
bool sendDocument(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, int jobId,
                  const PrintDocuments::Document& doc, bool last, std::string* error) {
  ::lseek(doc.fd, 0, SEEK_SET);
  if (cupsStartDestDocument(http, dest, info, jobId, doc.name.c_str(), CUPS_FORMAT_AUTO, 0, nullptr, last) !=
      HTTP_STATUS_CONTINUE) {
    *error = "cannot send " + doc.name + ": " + cupsLastErrorString();
    return false;
  }
  char buffer[65536];
  std::string failure;
  for (;;) {
    ssize_t n = ::read(doc.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      failure = "cannot read " + doc.path + ": " + std::strerror(errno);
      break;
    }
    if (n == 0) break;
    if (cupsWriteRequestData(http, buffer, static_cast<size_t>(n)) != HTTP_STATUS_CONTINUE) {
      failure = "cannot send " + doc.name + ": " + cupsLastErrorString();
      break;
    }
  }
  // The request is finished in every case, so that the connection stays usable.
  ipp_status_t status = cupsFinishDestDocument(http, dest, info);
  if (failure.empty() && status > IPP_STATUS_OK_CONFLICTING)
    failure = "the server refused " + doc.name + ": " + cupsLastErrorString();
  if (!failure.empty()) *error = failure;
  return failure.empty();
}

}  // namespace

PrintDocuments::~PrintDocuments() {
  for (Document& d : documents_) ::close(d.fd);
}

bool PrintDocuments::add(const std::string& path, std::string* error) {
  Document doc{path, path == "-" ? "(stdin)" : baseName(path)};
  if (path == "-") {
    for (const Document& d : documents_) {
      if (d.path == "-") {
        *error = "standard input can be printed only once";
        return false;
      }
    }
    doc.fd = copyToTemporaryFile(STDIN_FILENO, "standard input", error);
    if (doc.fd < 0) return false;
    documents_.push_back(doc);
    return true;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st{};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    *error = "cannot print " + path + ": " + (S_ISDIR(st.st_mode) ? "it is a folder" : std::strerror(errno));
    ::close(fd);
    return false;
  }
  if (S_ISREG(st.st_mode)) {
    if (st.st_size == 0) {
      *error = path + " is empty; there is nothing to print";
      ::close(fd);
      return false;
    }
    doc.fd = fd;
  } else {
    // A pipe or a device is read once, now, so that it can be sent whole.
    doc.fd = copyToTemporaryFile(fd, path, error);
    ::close(fd);
    if (doc.fd < 0) return false;
  }
  documents_.push_back(doc);
  return true;
}

int submitPrintJob(const CupsQueue& queue, const PrintDocuments& documents, const std::string& title,
                   const std::vector<JobOption>& options, std::string* error) {
  if (documents.empty()) {
    *error = "no document to print";
    return 0;
  }
  http_t* http = queue.connection();
  cups_dest_t* dest = queue.destination();
  cups_dinfo_t* info = cupsCopyDestInfo(http, dest);
  if (!info) {
    *error = "cannot query queue '" + queue.name() + "': " + cupsLastErrorString();
    return 0;
  }
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const JobOption& o : options) count = cupsAddOption(o.name.c_str(), o.value.c_str(), count, &cupsOptions);

  const std::string jobTitle = title.empty() ? documents.documents().front().name : title;
  int jobId = 0;
  ipp_status_t status = cupsCreateDestJob(http, dest, info, &jobId, jobTitle.c_str(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (status > IPP_STATUS_OK_CONFLICTING || jobId <= 0) {
    *error = "queue '" + queue.name() + "' refused the job: " + cupsLastErrorString();
    cupsFreeDestInfo(info);
    return 0;
  }
  const auto& docs = documents.documents();
  for (size_t i = 0; i < docs.size(); ++i) {
    if (!sendDocument(http, dest, info, jobId, docs[i], i + 1 == docs.size(), error)) {
      cupsCancelDestJob(http, dest, jobId);
      *error += " (job " + queue.name() + "-" + std::to_string(jobId) + " was cancelled)";
      cupsFreeDestInfo(info);
      return 0;
    }
  }
  cupsFreeDestInfo(info);
  return jobId;
}

int submitDialogJob(const CupsQueue& queue, const PrintDocuments& documents, const pdk::Value& settings,
                    const std::string& title, int copies, std::string* error) {
  std::vector<JobOption> options;
  if (!jobOptionsFromSettings(settings, &options, error)) return 0;
  if (copies > 0) setJobOption(&options, "copies", std::to_string(copies));
  return submitPrintJob(queue, documents, title, options, error);
}
