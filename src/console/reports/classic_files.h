// What the classic writers of both modes do alike with a file's null
// models: their files, open from their start to the file's end and written
// a line per simulation, and the values that end the file's summary line
// once they have run (or the line ended as it is when the file is given
// up).
#ifndef BRAVOLIN_CONSOLE_REPORTS_CLASSIC_FILES_H
#define BRAVOLIN_CONSOLE_REPORTS_CLASSIC_FILES_H

#include <memory>
#include <string>

#include "console/output/output_session.h"
#include "console/reports/file_report.h"
#include "formats/tables/classic_summary.h"

// NullFiles: the mode's files of the null models of a matrix, made of the
// session and the matrix file's name, with writeSimulation(null,
// simulation). They are written, and the summary line waits for the null
// models' values, only when the run has all four classic models (writesNullFiles):
// those are the models these files hold.
template <typename Analysis, typename NullFiles>
class ClassicFiles : public FileWriter<Analysis> {
public:
    using File = typename FileWriter<Analysis>::File;

    void nullModelsStarted(const File& file) override
    {
        if (writesNullFiles_)
            nullFiles_ = std::make_unique<NullFiles>(session_, file.name);
    }
    void simulationDone(const File& file, int simulation) override
    {
        if (nullFiles_)
            nullFiles_->writeSimulation(*file.null, simulation);
    }
    void nullModelsDone(const File& file) override
    {
        if (writesNullFiles_)
            session_.summaryLine().append(
                file.name, summaryLineRest(nullSummaryValues(*file.null, *file.observed, file.simulations)));
    }
    // The files of the null models close with the file, after its pictures.
    void finished(const File& /*file*/, Completeness /*completeness*/) override { nullFiles_.reset(); }
    void abandoned(const std::string& /*name*/) override
    {
        nullFiles_.reset();
        session_.summaryLine().endOpen();
    }

protected:
    ClassicFiles(OutputSession& session, bool writesNullFiles)
        : session_(session), writesNullFiles_(writesNullFiles)
    {
    }

    OutputSession& session_;
    // The run has the classic four: their files are written, and their
    // values end the summary line.
    const bool writesNullFiles_;

private:
    std::unique_ptr<NullFiles> nullFiles_;
};

#endif
