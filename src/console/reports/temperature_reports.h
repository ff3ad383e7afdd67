// The result files of mode T: the matrix's line in the summary file
// "SYSTEMP.TXT", the row and column temperature files (.LIN, .COL) and the
// null-model file (.NULL).
#ifndef BRAVOLIN_CONSOLE_REPORTS_TEMPERATURE_REPORTS_H
#define BRAVOLIN_CONSOLE_REPORTS_TEMPERATURE_REPORTS_H

#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "console/output/output_file.h"
#include "console/output/report_names.h"

class OutputSession;

// Appends the header and the start of the matrix's line to "SYSTEMP.TXT"
// (left open for the null models when they are on) and writes the
// temperature of every packed row and column with its number in the file.
void writeTemperatureSummary(OutputSession& session, const std::string& matrixName, const TemperatureReportNames& names,
                             const bravolin::TemperatureResult& result, bool nullModels);

// The null-model file of a matrix, open while its simulations run: its
// header, then one line per simulation (the classic models' temperatures),
// each handed to the system whole.
class TemperatureNullFile {
public:
    TemperatureNullFile(OutputSession& session, const std::string& name);
    void writeSimulation(const bravolin::TemperatureNullModels& null, int simulation);

private:
    OutputSession& session_;
    OutputFile file_;
};

// Ends the matrix's summary line with the null models' values
// (nullSummaryValues).
void completeTemperatureSummaryLine(OutputSession& session, const std::string& matrixName, const bravolin::TemperatureNullModels& null,
                                    const bravolin::TemperatureResult& observed, int simulations);

#endif
