// The packing report (the matrix file name with the extension PCK): size and
// fill before and after packing, the packed matrix on request, and in debug
// mode the history of every pass; and the four report names of the matrix
// that mode T writes.
#ifndef BRAVOLIN_PACKING_PACK_REPORT_H
#define BRAVOLIN_PACKING_PACK_REPORT_H

struct PackingContext;

// The report step of packMatrix for the observed matrix in ctx. stage: 0 at
// the start and after a column pass, 1 after a row pass, 2 at the end;
// iteration: 1..8 after a pass, 0 at the start and at the end.
void writePackReport(const PackingContext& ctx, int stage, int iteration);

// Derives packReportFileName, rowTemperatureFileName,
// columnTemperatureFileName and nullModelFileName from currentFileName.
void deriveTemperatureReportNames();

#endif
