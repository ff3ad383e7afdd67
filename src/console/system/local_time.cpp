// The local time and its offset from UTC.
#include "console/system/local_time.h"

#include "formats/text/text_format.h"

std::string isoLocalTime(std::time_t moment)
{
    std::tm local = *std::localtime(&moment);
    std::tm universal = *std::gmtime(&moment);
    // The universal time read as a local time is the moment shifted by the
    // offset; with the local daylight saving flag, mktime undoes no shift
    // of its own.
    universal.tm_isdst = local.tm_isdst;
    const long offset = static_cast<long>(std::difftime(moment, std::mktime(&universal)));
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    return formatText("%s%c%02ld:%02ld", text, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}
