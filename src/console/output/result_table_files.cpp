// Writing the result tables of a batch.
#include "console/output/result_table_files.h"

#include "console/output/output_file.h"
#include "console/output/output_lock.h"
#include "console/output/output_session.h"

// The four tables of a batch, open from its first matrix on.
struct ResultTables::Files {
    Files(OutputSession& session, const ResultTableSettings& settings)
        : results(session, resultTableName(settings.mode, "results")),
          rows(session, resultTableName(settings.mode, "rows")),
          columns(session, resultTableName(settings.mode, "columns"))
    {
        const AnalysisMode mode = settings.mode;
        const bool nullModels = settings.simulations > 0;
        const ResultTableText headers = resultTableHeaders(settings);
        results.write(headers.results);
        rows.write(headers.rows);
        columns.write(headers.columns);
        if (!nullModels)
            return;
        nullValues = std::make_unique<ReplacingFile>(session, resultTableName(mode, "null_values"));
        nullValues->write(headers.nullValues);
    }

    ReplacingFile results, rows, columns;
    std::unique_ptr<ReplacingFile> nullValues;  // with null models
};

ResultTables::ResultTables(OutputSession& session, const ResultTableSettings& settings)
    : session_(session), settings_(settings)
{
}

ResultTables::~ResultTables() = default;

ResultTables::Files& ResultTables::files()
{
    if (!files_)
        files_ = std::make_unique<Files>(session_, settings_);
    return *files_;
}

void ResultTables::add(const ResultTableText& rows)
{
    // A matrix's rows reach every table, or none when the program is
    // interrupted at once from another thread.
    OutputLock lock(session_);
    Files& tables = files();
    tables.results.write(rows.results);
    tables.rows.write(rows.rows);
    tables.columns.write(rows.columns);
    if (tables.nullValues && !rows.nullValues.empty())
        tables.nullValues->write(rows.nullValues);
}

void ResultTables::commit()
{
    OutputLock lock(session_);
    Files& tables = files();
    tables.results.commit();
    tables.rows.commit();
    tables.columns.commit();
    if (tables.nullValues)
        tables.nullValues->commit();
}
