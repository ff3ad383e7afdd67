// The files of the result tables of a batch (--results): BRAVOLIN_T_...csv
// or BRAVOLIN_N_...csv in the working folder, each written whole and
// replaced by the next batch of the same mode. Their text is the formats
// library's (formats/tables/result_tables.h).
#ifndef BRAVOLIN_CONSOLE_OUTPUT_RESULT_TABLE_FILES_H
#define BRAVOLIN_CONSOLE_OUTPUT_RESULT_TABLE_FILES_H

#include <memory>

#include "formats/tables/result_tables.h"

class OutputSession;

// The tables of one batch: each matrix's rows are added as its analysis
// completes (or as its null models are cut short), and the tables replace
// those of the last batch when committed (or destroyed, or the program is
// interrupted). The files are opened with the first matrix, so that a
// batch interrupted before any matrix leaves the last batch's tables in
// place; a batch that ends with no matrix replaces them with empty ones.
class ResultTables {
public:
    ResultTables(OutputSession& session, const ResultTableSettings& settings);
    ~ResultTables();
    ResultTables(const ResultTables&) = delete;
    ResultTables& operator=(const ResultTables&) = delete;

    const ResultTableSettings& settings() const { return settings_; }
    // Adds a matrix's rows to every table (formats/tables/result_tables.h).
    void add(const ResultTableText& rows);
    void commit();

private:
    struct Files;
    // The batch's files, opened with their header rows at the first call.
    Files& files();

    OutputSession& session_;
    ResultTableSettings settings_;
    std::unique_ptr<Files> files_;
};

#endif
