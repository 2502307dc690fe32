// libcups' PPD API, which Debian marks deprecated although it is the
// interface the printing system still hands PPD records through. Files that
// call it also disable the warning for their own calls.
#pragma once

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop
