#include "cups_server.h"

#include <cups/cups.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "test_support.h"

namespace integration {
namespace {

const char* const kCupsd = "/usr/sbin/cupsd";

std::string cupsdConf(const std::string& socketPath) {
  return "Listen " + socketPath +
         "\n"
         "Browsing No\n"
         "WebInterface No\n"
         "DefaultAuthType None\n"
         "LogLevel debug\n"
         "MaxLogSize 0\n"
         "PreserveJobHistory Yes\n"
         "<Location />\n"
         "  Order allow,deny\n"
         "  Allow localhost\n"
         "</Location>\n"
         "<Policy default>\n"
         "  JobPrivateAccess all\n"
         "  JobPrivateValues none\n"
         "  <Limit All>\n"
         "    Order deny,allow\n"
         "  </Limit>\n"
         "</Policy>\n";
}

std::string cupsFilesConf(const std::string& folder) {
  std::string conf = "ServerRoot " + folder + "\nRequestRoot " + folder + "/spool\nTempDir " + folder +
                     "/spool/tmp\nCacheDir " + folder + "/cache\nStateDir " + folder + "/state\nAccessLog " +
                     folder + "/log/access_log\nErrorLog " + folder + "/log/error_log\nPageLog " + folder +
                     "/log/page_log\nPrintcap " + folder +
                     "/printcap\n"
                     "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nFileDevice Yes\n";
  if (::geteuid() == 0) conf += "User lp\nGroup lp\nSystemGroup root\n";
  return conf;
}

// A connection to the server, or null.
http_t* connectTo(const std::string& socketPath) {
  return httpConnect2(socketPath.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
}

// Send `request` and return the response (null when nothing came back).
ipp_t* ask(const std::string& socketPath, ipp_t* request) {
  http_t* http = connectTo(socketPath);
  if (!http) {
    ippDelete(request);
    return nullptr;
  }
  ipp_t* response = cupsDoRequest(http, request, "/");
  httpClose(http);
  return response;
}

std::string valueText(ipp_attribute_t* attr) {
  std::string text;
  for (int i = 0; i < ippGetCount(attr); ++i) {
    if (i) text += ',';
    switch (ippGetValueTag(attr)) {
      case IPP_TAG_BOOLEAN:
        text += ippGetBoolean(attr, i) ? "true" : "false";
        break;
      case IPP_TAG_INTEGER:
        text += std::to_string(ippGetInteger(attr, i));
        break;
      case IPP_TAG_ENUM:
        text += ippEnumString(ippGetName(attr), ippGetInteger(attr, i));
        break;
      case IPP_TAG_TEXT:
      case IPP_TAG_NAME:
      case IPP_TAG_TEXTLANG:
      case IPP_TAG_NAMELANG:
      case IPP_TAG_KEYWORD:
      case IPP_TAG_URI:
      case IPP_TAG_MIMETYPE:
      case IPP_TAG_CHARSET:
      case IPP_TAG_LANGUAGE:
        text += ippGetString(attr, i, nullptr);
        break;
      default: {
        char buffer[4096];
        ippAttributeString(attr, buffer, sizeof buffer);
        return buffer;
      }
    }
  }
  return text;
}

}  // namespace

bool haveCupsd() { return ::access(kCupsd, X_OK) == 0; }

CupsServer::CupsServer() {
  if (!haveCupsd()) return;
  std::string pattern = "/tmp/tlq_cups.XXXXXX";
  if (!::mkdtemp(pattern.data())) return;
  folder_ = pattern;
  socketPath_ = folder_ + "/cups.sock";
  // cupsd drops to user lp for filters and backends: they must reach the
  // spool, the temporary folder and the output folder.
  ::chmod(folder_.c_str(), 0755);
  for (const char* sub : {"/spool", "/spool/tmp", "/cache", "/state", "/log", "/out", "/client"}) {
    std::string path = folder_ + sub;
    ::mkdir(path.c_str(), 0755);
    ::chmod(path.c_str(), 01777);
  }
  const std::string conf = folder_ + "/cupsd.conf", files = folder_ + "/cups-files.conf";
  writeFile(conf, cupsdConf(socketPath_));
  writeFile(files, cupsFilesConf(folder_));
  if (!process_.start(kCupsd, {"-f", "-c", conf, "-s", files}, {}, folder_ + "/log/cupsd.out")) return;
  // Ready once it answers an IPP request.
  for (int i = 0; i < 200 && !ready_; ++i) {
    if (ipp_t* response = ask(socketPath_, ippNewRequest(IPP_OP_CUPS_GET_PRINTERS))) {
      ippDelete(response);
      ready_ = true;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  if (!ready_) stop();
}

CupsServer::~CupsServer() {
  stop();
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
}

void CupsServer::stop() {
  process_.stop();
  ready_ = false;
}

std::map<std::string, std::string> CupsServer::clientEnvironment() const {
  return {{"CUPS_SERVER", socketPath_}, {"CUPS_SERVERROOT", folder_ + "/client"}, {"HOME", folder_ + "/client"}};
}

std::string CupsServer::lpoptionsPath() const { return folder_ + "/client/.cups/lpoptions"; }

std::string CupsServer::errorLog() const { return readFile(folder_ + "/log/error_log"); }

pdk::TaskResult CupsServer::runClient(const std::string& program, const std::vector<std::string>& args,
                                      const std::string& stdinPath) const {
  std::vector<std::string> argv;
  for (const auto& [key, value] : clientEnvironment()) argv.push_back(key + "=" + value);
  argv.push_back("TLQ_CLIENT_STDIN=" + stdinPath);
  argv.insert(argv.end(), {"/bin/sh", "-c", "exec \"$0\" \"$@\" <\"$TLQ_CLIENT_STDIN\" 2>&1", program});
  argv.insert(argv.end(), args.begin(), args.end());
  return pdk::runTask("/usr/bin/env", argv);
}

bool CupsServer::addQueue(const std::string& name, const std::string& ppd, const std::string& deviceURI,
                          bool enabled, std::string* output) const {
  std::vector<std::string> args{"-p", name, "-E", "-v", deviceURI};
  if (!ppd.empty()) args.insert(args.end(), {"-P", ppd});
  pdk::TaskResult r = runClient("/usr/sbin/lpadmin", args);
  // -E enables the queue and lets it accept jobs; a stopped queue keeps
  // accepting them but holds them.
  if (r.exitStatus == 0 && !enabled) {
    pdk::TaskResult stop = runClient("/usr/sbin/cupsdisable", {name});
    r.exitStatus = stop.exitStatus;
    r.output += stop.output;
  }
  if (output) *output = r.output;
  return r.exitStatus == 0;
}

std::map<std::string, IppAttribute> CupsServer::jobAttributes(int id) const {
  std::map<std::string, IppAttribute> attributes;
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
  ipp_t* response = ask(socketPath_, request);
  if (!response) return attributes;
  if (ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
      if (ippGetGroupTag(a) != IPP_TAG_JOB || !ippGetName(a)) continue;
      attributes[ippGetName(a)] = IppAttribute{ippTagString(ippGetValueTag(a)), valueText(a)};
    }
  }
  ippDelete(response);
  return attributes;
}

std::vector<int> CupsServer::jobIds(const std::string& queue) const {
  std::vector<int> ids;
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
  std::string uri = "ipp://localhost/printers/" + queue;
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-id");
  ipp_t* response = ask(socketPath_, request);
  if (!response) return ids;
  for (ipp_attribute_t* a = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER); a;
       a = ippFindNextAttribute(response, "job-id", IPP_TAG_INTEGER))
    ids.push_back(ippGetInteger(a, 0));
  ippDelete(response);
  return ids;
}

std::string CupsServer::waitForJob(int id) const {
  std::string state;
  for (int i = 0; i < 600; ++i) {
    auto attributes = jobAttributes(id);
    state = attributes.count("job-state") ? attributes["job-state"].text : "";
    if (state == "completed" || state == "aborted" || state == "canceled") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return state;
}

}  // namespace integration
