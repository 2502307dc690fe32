// PDECommon: the connection protocol of the printer's device URI.
#include <cstring>

#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

int16_t PDECommon::commoniGetProtocolByUrl(const std::string* uri) {
  if (!uri) return kProtocolOther;
  // Only the very start of the URI counts, case as written.
  static const struct {
    const char* prefix;
    int16_t code;
  } kPrefixes[] = {
      {"mdns://", kProtocolBonjour}, {"dnssd://", kProtocolBonjour}, {"lpd://", kProtocolLPD},
      {"pap://", kProtocolAppleTalk}, {"usb://", kProtocolUSB},
  };
  for (auto& p : kPrefixes)
    if (uri->compare(0, std::strlen(p.prefix), p.prefix) == 0) return p.code;
  return kProtocolOther;
}

int16_t PDECommon::commoniGetProtocol(pdk::PrintSession* session) {
  std::shared_ptr<pdk::Printer> printer;
  if (!session || pdk::PMSessionGetCurrentPrinter(session, &printer) != pdk::kPMNoError || !printer)
    return kProtocolOther;
  std::string uri;
  if (pdk::PMPrinterCopyDeviceURI(printer.get(), &uri) != pdk::kPMNoError || uri.empty()) return kProtocolOther;
  return commoniGetProtocolByUrl(&uri);
}

COLORPANE_NAMESPACE_END
