// ZN_XPC_Protocol: the eight operations of the profile helper service. Each
// takes one text request and answers exactly one text reply through `reply`.
// An implementation may be called from several connection threads at once.
#pragma once

#include <functional>
#include <string>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Receives the one reply of an operation.
using ZNReply = std::function<void(const std::string& reply)>;

// Markers and values of the request texts.
inline constexpr const char* kMarkerSwapType = ":ARG_iSwapType";
inline constexpr const char* kMarkerCurrent = ":ARG_cFooCurrentString";
inline constexpr const char* kMarkerPrevious = ":ARG_cFooPrevString";
inline constexpr const char* kMarkerAddURL = ":AddURL:END";
inline constexpr const char* kMarkerModelName = ":ModelName:END";
inline constexpr const char* kMarkerUserName = ":USErName:END";
inline constexpr const char* kMarkerArg = ":arg:";
inline constexpr const char* kAbsentValue = "NULL";
inline constexpr const char* kTemporarySuffix = ".dummy";

class ZN_XPC_Protocol {
 public:
  virtual ~ZN_XPC_Protocol() = default;
  // "TRUE" when the file at the path can be opened for writing; a file that
  // did not exist before is removed again.
  virtual void znPListIsAdminProfile_XPC(const std::string& request, const ZNReply& reply) = 0;
  // Keep (2), drop (1) or restore (0) the previous generation of a list.
  virtual void znPListSwapProfile_XPC(const std::string& request, const ZNReply& reply) = 0;
  // "TRUE" when the file at the path opens for reading.
  virtual void znPListExistProfile_XPC(const std::string& request, const ZNReply& reply) = 0;
  // "TRUE" when the file at the path was removed.
  virtual void znPListRemove_XPC(const std::string& request, const ZNReply& reply) = 0;
  // Replace the file named by the URL with the text after ":AddURL:END".
  virtual void writeDictionaryToPlistFile_XPC(const std::string& request, const ZNReply& reply) = 0;
  // Append the text after ":AddURL:END" to the URL's temporary file.
  virtual void writeDataToPlistFile_XPC(const std::string& request, const ZNReply& reply) = 0;
  // Put the URL's temporary file in place of the file.
  virtual void writeDataToPlistFileRename_XPC(const std::string& request, const ZNReply& reply) = 0;
  // Walk the printer's profile table and merge it into the user's list;
  // replies "iRet=<result>".
  virtual void mibwalk_XPC(const std::string& request, const ZNReply& reply) = 0;
};

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
