// Prints every nestedness metric of the library for one matrix, to 17
// significant digits, for comparisons with other programs (vegan): the
// matrix is a CSV file of numbers only, one row per line, abundances or
// 0s and 1s; the presence/absence metrics take its cells above 0.
//
//   bravolin_print_metrics FILE
//
// Each output line is "statistic value"; wnodf_wbinary_* are the weighted
// NODF with the wbinary variant.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/metrics.h"

namespace {

// The matrix of the CSV file; false, with a message, when it cannot be read.
bool readMatrix(const std::string& path, bravolin::AbundanceMatrix& matrix, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<double> cells;
    int rows = 0, columns = -1;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::stringstream fields(line);
        std::string field;
        int count = 0;
        while (std::getline(fields, field, ',')) {
            std::size_t used = 0;
            try {
                cells.push_back(std::stod(field, &used));
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0) {
                error = path + ", line " + std::to_string(rows + 1) + ": \"" + field + "\" is not a number";
                return false;
            }
            count++;
        }
        if (columns >= 0 && count != columns) {
            error = path + ", line " + std::to_string(rows + 1) + ": " + std::to_string(count) + " cells, not " +
                    std::to_string(columns);
            return false;
        }
        columns = count;
        rows++;
    }
    try {
        matrix = bravolin::AbundanceMatrix(rows, columns < 0 ? 0 : columns, cells);
    } catch (const bravolin::Error& e) {
        error = path + ": " + e.what();
        return false;
    }
    return true;
}

void print(const char* name, double value)
{
    std::printf("%s %.17g\n", name, value);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: bravolin_print_metrics FILE (a CSV file of numbers, one row per line)\n";
        return 2;
    }
    bravolin::AbundanceMatrix abundances;
    std::string error;
    if (!readMatrix(argv[1], abundances, error)) {
        std::cerr << "bravolin_print_metrics: " << error << "\n";
        return 1;
    }
    const bravolin::Matrix& matrix = abundances.presences();
    const bravolin::NodfPercentages plain = bravolin::nodf(matrix);
    print("nodf_rows", plain.rows);
    print("nodf_columns", plain.columns);
    print("nodf_total", plain.total);
    const bravolin::NodfPercentages weighted = bravolin::wnodf(abundances, false);
    print("wnodf_rows", weighted.rows);
    print("wnodf_columns", weighted.columns);
    print("wnodf_total", weighted.total);
    const bravolin::NodfPercentages wbinary = bravolin::wnodf(abundances, true);
    print("wnodf_wbinary_rows", wbinary.rows);
    print("wnodf_wbinary_columns", wbinary.columns);
    print("wnodf_wbinary_total", wbinary.total);
    bravolin::NodfMaxCache cache;
    const bravolin::NodfcResult normalised = bravolin::nodfc(matrix, cache);
    print("nodfc", normalised.nodfc);
    print("nodf_max_ratio", normalised.nodfMaxRatio);
    print("nodf_max", normalised.nodfMax);
    std::printf("nodf_max_search %s\n", normalised.exhaustive ? "exhaustive" : "heuristic");
    print("discrepancy", bravolin::discrepancy(matrix));
    const bravolin::CheckerResult checkerboards = bravolin::checker(matrix);
    print("checker_units", checkerboards.units);
    print("c_score", checkerboards.cScore);
    print("n0", bravolin::n0(matrix));
    const bravolin::SpectralResult spectral = bravolin::spectralRadius(matrix);
    print("spectral_radius", spectral.radius);
    if (spectral.capReached)
        std::printf("spectral_radius_cap_reached %d\n", spectral.iterations);
    return 0;
}
