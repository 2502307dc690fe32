#include "securitypane/framework/paper_info.h"

#include <pwd.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include "securitypane/framework/cf_utilities.h"
#include "securitypane/framework/cups_ppd.h"
#include "securitypane/framework/ppd_access.h"
#include "securitypane/framework/print_settings_access.h"
#include "securitypane/framework/status.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

// The user's preferences folder: Library/Preferences in the home folder
// ($HOME, else the user database); empty when there is none.
std::string userPreferencesFolder() {
  std::string home;
  if (const char* env = std::getenv("HOME"); env && *env) {
    home = env;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return home.empty() ? std::string() : home + "/Library/Preferences";
}

}  // namespace

bool IsDocumentUseFitToPage(ZNPDECoreSession* session) {
  pdk::PrintSettings* settings = nullptr;
  int32_t mapping = 0;
  return GetSystemVersion() >= 0x1040 && ZNGetPrintSettings(session, &settings) == kNoErr &&
         ZNPrintSettingsGetSInt32(settings, kPMPageToPaperMappingTypeKey, &mapping) == pdk::kPMNoError &&
         mapping == kPMPageToPaperMappingScaleToFit;
}

bool IsCustomPaperSizeWithinRange(ZNPDECoreSession* session, const pdk::PMRect& rect) {
  ppd_file_s* ppd = nullptr;
  if (GetPPDReference(session, &ppd) != kNoErr) return false;
  const float width = static_cast<float>(std::abs(rect.right - rect.left));
  const float height = static_cast<float>(std::abs(rect.bottom - rect.top));
  const bool within = ppd->variable_sizes && width >= ppd->custom_min[0] && width <= ppd->custom_max[0] &&
                      height >= ppd->custom_min[1] && height <= ppd->custom_max[1];
  FreePPDReference(ppd);
  return within;
}

int32_t GetDestinationPaperName(ZNPDECoreSession* session, std::string* name) {
  if (!name) return kParamErr;
  pdk::PrintSettings* settings = nullptr;
  if (ZNGetPrintSettings(session, &settings) != kNoErr) return kPMInvalidType;
  return ZNPrintSettingsGetString(settings, kPMPageToPaperMediaNameKey, name) == pdk::kPMNoError ? kNoErr
                                                                                                 : kPMInvalidType;
}

int32_t GetDocumentPaperName(ZNPDECoreSession* session, std::string* name, bool* found) {
  if (!name) return kParamErr;
  if (found) *found = false;
  pdk::PageFormat* format = nullptr;
  const int32_t status = ZNGetPageFormat(session, &format);
  if (status != kNoErr) return status;
  std::string paperName;
  if (ZNPageFormatGetPaperName(format, &paperName) != pdk::kPMNoError || paperName.empty()) return kPMInvalidType;
  *name = paperName;
  return kNoErr;
}

int32_t GetCustomPaperNameFromPlist(const std::string& paperId, std::string* name, bool* found) {
  if (!name || !found) return kParamErr;
  *name = paperId;
  *found = false;
  const std::string folder = userPreferencesFolder();
  if (folder.empty()) return kNotApplicable;
  const pdk::Value papers = MyPListCreateDictionaryFromPath(folder + "/" + kCustomPapersFile);
  const pdk::Value paper = CFDictionaryGetValueWithType(papers, paperId, kCFTypeDictionary);
  const pdk::Value paperName = CFDictionaryGetValueWithType(paper, "name", kCFTypeString);
  if (paperName.isString()) {
    *name = paperName.asString();
    *found = true;
  }
  return kNoErr;
}

int32_t GetDocumentPaperRect(ZNPDECoreSession* session, pdk::PMRect* rect) { return ZNGetDocumentPaperRect(session, rect); }

int32_t GetDocumentOrientation(ZNPDECoreSession* session, int32_t* orientation) {
  pdk::PageFormat* format = nullptr;
  const int32_t status = ZNGetPageFormat(session, &format);
  if (status != kNoErr) return status;
  return ZNPageFormatGetOrientation(format, orientation);
}

SECURITY_FRAMEWORK_NAMESPACE_END
