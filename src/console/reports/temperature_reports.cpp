// Writing of the temperature summary line, the row and column files and the
// null-model file.
#include "console/reports/temperature_reports.h"

#include "console/output/output_lock.h"
#include "console/output/output_session.h"
#include "console/reports/classic_files.h"
#include "console/reports/pack_report.h"
#include "formats/tables/classic_summary.h"

namespace {

// The label of a line is zero-padded to at least as many digits as the
// number of lines needs.
const char* temperatureLineFormat(std::size_t lineCount)
{
    if (lineCount < 100)
        return "%05.2f %02d\n";
    if (lineCount < 1000)
        return "%05.2f %03d\n";
    if (lineCount < 10000)
        return "%05.2f %04d\n";
    return "%05.2f %05d\n";
}

// One line per packed position: its temperature and the number, in the
// matrix file, of the line there.
void writeLineTemperatures(OutputSession& session, const std::string& fileName, const std::vector<float>& temperatures,
                           const std::vector<int>& order)
{
    OutputFile file(session, fileName);
    const char* format = temperatureLineFormat(order.size());
    for (std::size_t i = 0; i < order.size(); i++)
        file.print(format, temperatures[i], order[i] + 1);
}

}  // namespace

void writeTemperatureSummary(OutputSession& session, const std::string& matrixName, const TemperatureReportNames& names,
                             const bravolin::TemperatureResult& result, bool nullModels)
{
    // With null models the line stays open: their means and P values end it.
    session.summaryLine().append(matrixName, summaryHeader(AnalysisMode::Temperature, nullModels) +
                                                 summaryLine(AnalysisMode::Temperature, matrixName,
                                                             summaryValues(result), nullModels));
    writeLineTemperatures(session, names.rowTemperatures, result.rowTemperature, result.rowOrder);
    writeLineTemperatures(session, names.columnTemperatures, result.columnTemperature, result.columnOrder);
}

TemperatureNullFile::TemperatureNullFile(OutputSession& session, const std::string& matrixName)
    : session_(session), file_(session, temperatureReportNames(matrixName).nullModels)
{
    file_.write("Er    Ce    Li    Co    \n");
}

void TemperatureNullFile::writeSimulation(const bravolin::TemperatureNullModels& null, int simulation)
{
    const std::size_t at = static_cast<std::size_t>(simulation - 1);
    float temperatures[bravolin::kClassicModelCount];
    for (int model = 0; model < bravolin::kClassicModelCount; model++)
        temperatures[model] = (*null.valuesOf(bravolin::kClassicModels[model]))[at];
    // The whole line in one write, flushed: the file holds whole lines after
    // every simulation, whatever stops the program.
    OutputLock lock(session_);
    file_.print("%05.02f %05.02f %05.02f %05.02f\n", temperatures[0], temperatures[1], temperatures[2],
                temperatures[3]);
    file_.flush();
}

namespace {

class TemperatureClassicFiles : public ClassicFiles<TemperatureAnalysis, TemperatureNullFile> {
public:
    TemperatureClassicFiles(OutputSession& session, bool printPacked, bool debug, bool nullFiles)
        : ClassicFiles(session, nullFiles), printPacked_(printPacked), debug_(debug)
    {
    }

    void observed(const File& file) override
    {
        const TemperatureReportNames names = temperatureReportNames(file.name);
        writePackReport(session_, names.packing, *file.matrix, *file.observed, printPacked_, debug_);
        writeTemperatureSummary(session_, file.name, names, *file.observed, writesNullFiles_);
    }

private:
    const bool printPacked_;
    const bool debug_;
};

}  // namespace

std::unique_ptr<FileWriter<TemperatureAnalysis>> temperatureClassicFiles(OutputSession& session, bool printPacked,
                                                                         bool debug, bool nullFiles)
{
    return std::make_unique<TemperatureClassicFiles>(session, printPacked, debug, nullFiles);
}
