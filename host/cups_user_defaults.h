// The user's saved options for a queue (lpoptions) and the dialog's PPD
// record. Saved options become the record's defaults before the panes
// restore, because the panes start every control from the PPD's default
// choice and then take what the print settings hold for the printer; the
// PPD choices the panes made can be saved back as the user's defaults.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "pdk/value.h"

struct ppd_file_s;
typedef struct cups_option_s cups_option_t;
class CupsQueue;

using PPDChoice = std::pair<std::string, std::string>;  // option keyword, choice keyword

// Mark `options` in the PPD as lp does (IPP names such as media map to
// their PPD options) and make each option's marked choice its default
// choice. Names that are no PPD option, and choices the option lacks, are
// left alone.
void applySavedOptions(ppd_file_s* ppd, int count, cups_option_t* options);

// The PPD choices among the top-level entries of the print settings:
// entries named after a PPD option whose value is one of its choices, in
// the record's spelling, in name order. Texts, passwords and profile file
// names are never PPD choices, so they are never among them.
std::vector<PPDChoice> ppdChoicesInSettings(ppd_file_s* ppd, const pdk::Value& settings);

// Store `choices` as the user's saved options for the queue (lpoptions),
// keeping every other saved option. False with a message.
bool saveUserDefaults(const CupsQueue& queue, const std::vector<PPDChoice>& choices, std::string* error);
