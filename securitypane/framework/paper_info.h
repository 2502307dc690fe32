// Paper facts of the dialog: the document's paper (page format), the
// destination paper and fit-to-page (print settings), the PPD's custom
// size range, and the names of the user's custom papers. Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "pdk/printing.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// Print-settings keys of the page-to-paper mapping.
inline constexpr const char* kPMPageToPaperMappingTypeKey = "com.apple.print.PageToPaperMappingType";
inline constexpr const char* kPMPageToPaperMediaNameKey = "com.apple.print.PageToPaperMappingMediaName";
// Mapping type: scale the document to the destination paper.
inline constexpr int32_t kPMPageToPaperMappingScaleToFit = 2;
// The user's custom papers, in the user's preferences folder.
inline constexpr const char* kCustomPapersFile = "com.apple.print.custompapers.plist";

// True when the job scales to the destination paper.
bool IsDocumentUseFitToPage(ZNPDECoreSession* session);
// True when the rectangle's width and height (single precision) lie within
// the PPD's custom paper size range, bounds included; false without a PPD
// or when the PPD has no custom sizes.
bool IsCustomPaperSizeWithinRange(ZNPDECoreSession* session, const pdk::PMRect& rect);
// The destination paper name from the print settings; -30892 when there is
// none or it is not a string.
int32_t GetDestinationPaperName(ZNPDECoreSession* session, std::string* name);
// The name of the page format's paper; -30892 when it has none. `found`
// tells whether it came from the user's custom-paper list (never, on this
// platform: the page format names its papers).
int32_t GetDocumentPaperName(ZNPDECoreSession* session, std::string* name, bool* found);
// `name` := `paperId`, then, when the user's custom-paper list holds a
// dictionary under `paperId` with a string "name", that name (`found`
// true). Return 0, or -1 when the user has no home folder.
int32_t GetCustomPaperNameFromPlist(const std::string& paperId, std::string* name, bool* found);
// The unadjusted paper rectangle and the raw orientation of the host's page format.
int32_t GetDocumentPaperRect(ZNPDECoreSession* session, pdk::PMRect* rect);
int32_t GetDocumentOrientation(ZNPDECoreSession* session, int32_t* orientation);

SECURITY_FRAMEWORK_NAMESPACE_END
