#include "cups_user_defaults.h"

#include <cups/cups.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

#include "cups_queue.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

void applySavedOptions(ppd_file_s* ppd, int count, cups_option_t* options) {
  if (!ppd || count <= 0) return;
  cupsMarkOptions(ppd, count, options);
  for (ppd_option_t* option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd)) {
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option->keyword);
    if (marked && std::strcmp(marked->choice, option->defchoice) != 0)
      std::snprintf(option->defchoice, sizeof option->defchoice, "%s", marked->choice);
  }
}

std::vector<PPDChoice> ppdChoicesInSettings(ppd_file_s* ppd, const pdk::Value& settings) {
  std::vector<PPDChoice> choices;
  if (!ppd || !settings.isDictionary()) return choices;
  for (const auto& [name, value] : *settings.dictionaryStorage()) {
    if (!value.isString()) continue;
    ppd_option_t* option = ppdFindOption(ppd, name.c_str());
    ppd_choice_t* choice = option ? ppdFindChoice(option, value.asString().c_str()) : nullptr;
    if (choice) choices.emplace_back(option->keyword, choice->choice);
  }
  return choices;
}

bool saveUserDefaults(const CupsQueue& queue, const std::vector<PPDChoice>& choices, std::string* error) {
  http_t* http = queue.connection();
  cups_dest_t* dests = nullptr;
  int count = cupsGetDests2(http, &dests);
  // Writing a list that lacks the server's queues would drop their saved
  // options from the file, so a failed look-up writes nothing.
  if (cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    *error = "cannot read the saved options: " + std::string(cupsLastErrorString());
    cupsFreeDests(count, dests);
    return false;
  }
  const char* instance = queue.instance().empty() ? nullptr : queue.instance().c_str();
  cups_dest_t* dest = cupsGetDest(queue.name().c_str(), instance, count, dests);
  if (!dest) {
    count = cupsAddDest(queue.name().c_str(), instance, count, &dests);
    dest = cupsGetDest(queue.name().c_str(), instance, count, dests);
  }
  for (const auto& [option, choice] : choices)
    dest->num_options = cupsAddOption(option.c_str(), choice.c_str(), dest->num_options, &dest->options);
  bool saved = cupsSetDests2(http, count, dests) == 0;
  if (!saved) *error = "cannot save the defaults of queue '" + queue.name() + "': " + std::strerror(errno);
  cupsFreeDests(count, dests);
  return saved;
}
