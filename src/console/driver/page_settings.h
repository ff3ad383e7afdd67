// The run's settings as the page of its batch (--report) lists them.
#ifndef BRAVOLIN_CONSOLE_DRIVER_PAGE_SETTINGS_H
#define BRAVOLIN_CONSOLE_DRIVER_PAGE_SETTINGS_H

#include "console/driver/run_options.h"
#include "console/driver/run_state.h"
#include "formats/pictures/report_page.h"

// The mode, the ordering (mode N), the seed, the null models with their
// simulations and FF's chain, the version and the date, in this order.
PageSettings pageSettings(const RunOptions& options, const RunState& state);

#endif
