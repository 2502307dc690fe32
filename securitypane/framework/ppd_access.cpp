#include "securitypane/framework/ppd_access.h"

#include <cstring>

#include "securitypane/framework/cups_ppd.h"
#include "securitypane/framework/status.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

constexpr const char* kInstallableOptionsGroup = "InstallableOptions";

bool isAscii(const char* text) {
  for (; *text; ++text) {
    if (static_cast<unsigned char>(*text) > 0x7f) return false;
  }
  return true;
}

void setAscii(const pdk::Value& dictionary, const char* key, const char* text) {
  if (text && isAscii(text)) dictionary.set(key, pdk::Value(text));
}

ppd_group_t* findGroup(ppd_group_t* groups, int count, const char* name) {
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(groups[i].name, name) == 0) return &groups[i];
    if (ppd_group_t* sub = findGroup(groups[i].subgroups, groups[i].num_subgroups, name)) return sub;
  }
  return nullptr;
}

}  // namespace

int32_t GetPPDReference(ZNPDECoreSession* session, ppd_file_s** ppd) {
  if (!ppd) return kParamErr;
  *ppd = nullptr;
  if (!ZNGetPMPrintSession(session) || !session->object) return kParamErr;
  *ppd = session->object->ppdFile();
  return *ppd ? kNoErr : pdk::kPMKeyNotFound;
}

void FreePPDReference(ppd_file_s*) {}

pdk::Value CreatePPDConstraintsArray(ppd_file_s* ppd) {
  if (!ppd || ppd->num_consts <= 0) return pdk::Value();
  pdk::Value array = pdk::Value::array();
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t& c = ppd->consts[i];
    pdk::Value entry = pdk::Value::dictionary();
    setAscii(entry, "option1", c.option1);
    setAscii(entry, "choice1", c.choice1);
    setAscii(entry, "option2", c.option2);
    setAscii(entry, "choice2", c.choice2);
    array.append(entry);
  }
  return array;
}

pdk::Value CreatePPDInstallableOptionDict(ppd_file_s* ppd) {
  if (!ppd) return pdk::Value();
  ppd_group_t* group = findGroup(ppd->groups, ppd->num_groups, kInstallableOptionsGroup);
  if (!group || group->num_options <= 0) return pdk::Value();
  pdk::Value dictionary = pdk::Value::dictionary();
  for (int i = 0; i < group->num_options; ++i) {
    ppd_option_t& option = group->options[i];
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option.keyword);
    const char* current = marked ? marked->choice : option.defchoice;
    if (isAscii(option.keyword)) setAscii(dictionary, option.keyword, current);
  }
  return dictionary;
}

SECURITY_FRAMEWORK_NAMESPACE_END
