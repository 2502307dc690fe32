// The options of a print dialog's job. The panes put every value the
// printer's filters read at the top level of the print settings (PPD
// choices and their companions, the security entries); each top-level
// string entry travels as one job option, as `lp -o NAME=VALUE` would send
// it.
#pragma once

#include <string>
#include <vector>

#include "pdk/value.h"

struct JobOption {
  std::string name, value;
};

// Every top-level string entry of `settings`, in name order. False with a
// message naming the first entry that CUPS cannot carry unchanged: a name
// that is empty or holds anything but printable ASCII other than '=', a
// value that is not UTF-8 or holds control characters, or a value that
// begins with '{' (CUPS reads it as a collection and the server drops it).
bool jobOptionsFromSettings(const pdk::Value& settings, std::vector<JobOption>* options, std::string* error);

// Set option `name` to `value`, replacing an entry of the same name.
void setJobOption(std::vector<JobOption>* options, const std::string& name, const std::string& value);
