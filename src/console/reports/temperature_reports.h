// The result files of mode T: the matrix's line in the summary file
// "SYSTEMP.TXT", the row and column temperature files (.LIN, .COL) and the
// null-model file (.NULL), and with the packing report (pack_report.h) the
// writer of them all for a batch.
#ifndef BRAVOLIN_CONSOLE_REPORTS_TEMPERATURE_REPORTS_H
#define BRAVOLIN_CONSOLE_REPORTS_TEMPERATURE_REPORTS_H

#include <memory>
#include <string>

#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "console/output/output_file.h"
#include "console/output/report_names.h"
#include "console/reports/analyses.h"
#include "console/reports/file_report.h"

class OutputSession;

// Appends the header and the start of the matrix's line to "SYSTEMP.TXT"
// (left open for the null models when they are on) and writes the
// temperature of every packed row and column with its number in the file.
void writeTemperatureSummary(OutputSession& session, const std::string& matrixName, const TemperatureReportNames& names,
                             const bravolin::TemperatureResult& result, bool nullModels);

// The null-model file (.NULL) of the matrix file named matrixName, open
// while its simulations run: its header, then one line per simulation (the
// classic models' temperatures), each handed to the system whole.
class TemperatureNullFile {
public:
    TemperatureNullFile(OutputSession& session, const std::string& matrixName);
    void writeSimulation(const bravolin::TemperatureNullModels& null, int simulation);

private:
    OutputSession& session_;
    OutputFile file_;
};

// The classic files of every file of a batch of mode T: its packing report
// (with the packed matrix when printPacked, the history of the passes with
// debug), its summary line, its line temperatures and, with nullFiles (a
// run with the classic four null models), their file and their values on
// the summary line.
std::unique_ptr<FileWriter<TemperatureAnalysis>> temperatureClassicFiles(OutputSession& session, bool printPacked,
                                                                         bool debug, bool nullFiles);

#endif
