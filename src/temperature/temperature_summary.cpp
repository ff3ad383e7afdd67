// Writing of the temperature summary line and the row and column files.
#include "temperature/temperature_summary.h"

#include <string>
#include <vector>

#include "common/output_file.h"
#include "common/shared_state.h"

namespace {

// The label of a line is zero-padded to at least as many digits as the
// number of lines needs.
const char* temperatureLineFormat(int lineCount)
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
// matrix file, of the line there (order[position + offset]).
void writeLineTemperatures(const char* fileName, const std::vector<float>& temperatures,
                           const std::vector<int>& order, int offset, int count)
{
    OutputFile file(fileName);
    const char* format = temperatureLineFormat(count);
    for (int i = 1; i <= count; i++)
        file.print(format, temperatures[static_cast<std::size_t>(i)],
                   order[static_cast<std::size_t>(i + offset)]);
}

}  // namespace

void writeTemperatureSummary(const PackingContext& packed, const TemperatureContext& measured)
{
    // With null models the line stays open: their means and P values end it.
    appendToSummary(std::string(nullModelsEnabled == 1 ? "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)\n"
                                                       : "Matrix T(M)\n") +
                    currentFileName + " (Packed) " +
                    formatText(nullModelsEnabled == 1 ? "%02.2f " : "%02.2f\n",
                               measured.matrixTemperature));
    writeLineTemperatures(rowTemperatureFileName, measured.rowTemperature, packed.rowOrder,
                          packed.removedFullRows, packed.rowCount);
    writeLineTemperatures(columnTemperatureFileName, measured.columnTemperature, packed.columnOrder,
                          packed.removedFullColumns, packed.columnCount);
}
