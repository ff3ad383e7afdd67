// The local time of the run's start, as the result tables and the page
// give it.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_LOCAL_TIME_H
#define BRAVOLIN_CONSOLE_SYSTEM_LOCAL_TIME_H

#include <ctime>
#include <string>

// The moment as ISO 8601 local time with its offset from UTC:
// "2026-12-09T14:05:09+01:00".
std::string isoLocalTime(std::time_t moment);

#endif
