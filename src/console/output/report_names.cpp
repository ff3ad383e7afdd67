// Report names.
#include "console/output/report_names.h"

std::string reportName(const std::string& matrixFileName, const char* suffix, bool keepDot)
{
    const std::size_t dot = matrixFileName.find('.');
    const std::string stem = dot == std::string::npos ? matrixFileName : matrixFileName.substr(0, dot);
    return stem + (keepDot ? "." : "") + suffix;
}

TemperatureReportNames temperatureReportNames(const std::string& matrixFileName)
{
    return {reportName(matrixFileName, "PCK", true), reportName(matrixFileName, "LIN", true),
            reportName(matrixFileName, "COL", true), reportName(matrixFileName, "NULL", true)};
}

std::string nodfReportName(const std::string& matrixFileName, const char* suffix)
{
    return reportName(matrixFileName, suffix, false);
}
