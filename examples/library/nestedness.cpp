// Nestedness of one matrix with BRAVOLIN's analysis library: its NODF and
// temperature, then the means and nestedness P values of 100 simulations of
// four textbook null models of each analysis. Usage: nestedness MATRIX_FILE
// [SEED]
#include <bravolin/bravolin.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

// Reads a matrix file: one row per line, each cell a 0 or a 1, blanks
// between cells and blank lines ignored. Throws bravolin::Error.
static bravolin::Matrix readMatrix(const std::string& name)
{
    std::ifstream file(name);
    std::vector<std::uint8_t> cells;
    int rows = 0, columns = 0, lineNumber = 0;
    for (std::string line; std::getline(file, line);) {
        const std::string where = name + ", line " + std::to_string(++lineNumber) + ": ";
        int width = 0;
        for (char c : line) {
            if (c == '0' || c == '1') {
                cells.push_back(c == '1');
                width++;
            } else if (c != ' ' && c != '\t' && c != '\r') {  // CR: Windows line ends
                throw bravolin::Error(where + "'" + c + "' is not a 0 or a 1");
            }
        }
        if (width == 0)
            continue;  // a blank line
        if (rows++ == 0)
            columns = width;
        else if (width != columns)
            throw bravolin::Error(where + std::to_string(width) + " cells, the first row has " + std::to_string(columns));
    }
    if (!file.eof())  // not opened, or a read error
        throw bravolin::Error("cannot read " + name);
    if (rows == 0)
        throw bravolin::Error(name + " holds no row of 0 and 1 cells");
    return bravolin::Matrix(rows, columns, std::move(cells));
}

int main(int argc, char** argv)
{
    const std::string seedText = argc == 3 ? argv[2] : "1";
    if (argc < 2 || argc > 3 || seedText.empty() || seedText.size() > 10 ||
        seedText.find_first_not_of("0123456789") != std::string::npos || std::stoull(seedText) > 4294967295u) {
        std::fprintf(stderr, "usage: %s MATRIX_FILE [SEED]   (SEED: 0 to 4294967295, 1 by default)\n", argv[0]);
        return 2;
    }
    try {
        const bravolin::Matrix matrix = readMatrix(argv[1]);

        // NODF with rows and columns ordered by decreasing totals: fractions,
        // which the console program prints as percentages.
        const bravolin::NodfResult nodf = bravolin::analyseNodf(matrix, true);
        std::printf("NODF: rows %.2f, columns %.2f, total %.2f\n", 100.0 * nodf.nodf.rows,
                    100.0 * nodf.nodf.columns, 100.0 * nodf.nodf.total);
        const bravolin::TemperatureResult temperature = bravolin::analyseTemperature(matrix);
        std::printf("Temperature: %.2f\n", temperature.temperature);

        // Both analyses draw from one generator, temperature first, so the
        // seed reruns them both; settings.threads would share the work out
        // among threads, with the same results.
        bravolin::Generator generator(static_cast<std::uint32_t>(std::stoull(seedText)));
        bravolin::NullModelSettings settings;
        settings.simulations = 100;
        settings.models = bravolin::chooseNullModels({"r00", "r0", "c0", "curveball"}).models;
        const auto temperatureNull = bravolin::runTemperatureNullModels(matrix, temperature, generator, settings);
        const auto nodfNull = bravolin::runNodfNullModels(matrix, nodf, generator, settings);
        std::printf("Null models, %d simulations, seed %s: mean and P of the temperature, of the NODF total\n",
                    settings.simulations, seedText.c_str());
        // Each model's values in simulation order, and their statistics
        // against the observed value (the NODF's in percent). Nested is a
        // low temperature and a high NODF; curveball's values come from a
        // chain, whose effective sample size the statistics take in.
        for (const auto& model : temperatureNull.models) {
            const bool chain = bravolin::isChain(model.model);
            const bravolin::NullStatistics t =
                bravolin::nullStatistics(model.values, temperature.temperature, bravolin::NestedTail::Less, chain);
            const bravolin::NullStatistics n =
                bravolin::nullStatistics(bravolin::modelValues(nodfNull, model.model, bravolin::NodfPart::Total),
                                         nodf.nodf.total, bravolin::NestedTail::Greater, chain, 100);
            std::printf("%s: temperature %.2f (P %.3f), NODF %.2f (P %.3f)\n", bravolin::kNullModelNames[model.model],
                        t.mean, t.pLess, n.mean, n.pGreater);
        }
    } catch (const bravolin::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
