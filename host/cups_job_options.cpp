#include "cups_job_options.h"

#include <algorithm>

#include "pdk/text.h"

namespace {

bool isOptionName(const std::string& name) {
  if (name.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F && c != '='; });
}

// Why `value` cannot travel unchanged, or nullptr when it can.
const char* valueProblem(const std::string& value) {
  if (!pdk::isValidUtf8(value)) return "its value is not UTF-8 text";
  for (unsigned char c : value)
    if (c < ' ' || c == 0x7F) return "its value holds a control character";
  if (!value.empty() && value[0] == '{') return "its value begins with '{' and would be read as a collection";
  return nullptr;
}

}  // namespace

bool jobOptionsFromSettings(const pdk::Value& settings, std::vector<JobOption>* options, std::string* error) {
  options->clear();
  if (!settings.isDictionary()) return true;
  for (const auto& [name, value] : *settings.dictionaryStorage()) {
    if (!value.isString()) continue;
    if (!isOptionName(name)) {
      *error = "print setting '" + name + "' cannot be a job option: its name is not a CUPS option name";
      return false;
    }
    if (const char* problem = valueProblem(value.asString())) {
      *error = "print setting '" + name + "' cannot be a job option: " + problem;
      return false;
    }
    options->push_back({name, value.asString()});
  }
  return true;
}

void setJobOption(std::vector<JobOption>* options, const std::string& name, const std::string& value) {
  for (JobOption& o : *options) {
    if (o.name == name) {
      o.value = value;
      return;
    }
  }
  options->push_back({name, value});
}
