// The "PageSize" choice the document's paper stands for, for constraints
// on "PageSize" that the job ticket does not settle.
#include "securitypane/framework/cf_utilities.h"
#include "securitypane/framework/paper_info.h"
#include "securitypane/framework/status.h"
#include "securitypane/framework/ui_constraints.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

std::optional<std::string> GetPaperNameByStandardTicketArgument(ZNPDECoreSession* session) {
  const _PPDUIOption* papers = PDECoreGetPPDPapers(session);
  if (!papers || papers->numChoices == 0) return std::nullopt;
  std::string documentName;
  bool found = false;
  pdk::PMRect rect;
  int32_t orientation = 0;
  if (GetDocumentPaperName(session, &documentName, &found) != kNoErr ||
      GetDocumentPaperRect(session, &rect) != kNoErr || GetDocumentOrientation(session, &orientation) != kNoErr) {
    return std::nullopt;
  }
  std::string result;
  if (!PPDPaperSizeFindAdjustedPMRect(papers, rect, 0, &result)) {
    if (IsCustomPaperSizeWithinRange(session, rect)) {
      result = documentName;  // a custom size
    } else if (const std::string* defaultKey = PPDUIOptionGetDefaultKey(papers)) {
      result = *defaultKey;
    }
  }
  if (GetSystemVersion() >= 0x1040 && IsDocumentUseFitToPage(session)) {
    std::string destination;
    if (GetDestinationPaperName(session, &destination) == kNoErr) {
      const std::string* key = PPDUIOptionAliasToKey(papers, destination);
      return key ? *key : destination;
    }
  }
  return result;
}

SECURITY_FRAMEWORK_NAMESPACE_END
