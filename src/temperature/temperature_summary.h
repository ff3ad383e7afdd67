// The results of mode T for the observed matrix: its line in the summary
// file "SYSTEMP.TXT" and the row and column temperature files (.LIN, .COL).
#ifndef BRAVOLIN_TEMPERATURE_TEMPERATURE_SUMMARY_H
#define BRAVOLIN_TEMPERATURE_TEMPERATURE_SUMMARY_H

#include "packing/packing.h"
#include "temperature/temperature.h"

// Appends the header and the start of the matrix's line to "SYSTEMP.TXT"
// (left open for the null models when they are on) and writes the
// temperature of every packed row and column with its number in the file.
void writeTemperatureSummary(const PackingContext& packed, const TemperatureContext& measured);

#endif
