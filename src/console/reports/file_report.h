// The outputs of the files of a batch. The batch driver tells one object,
// the batch's FileReport, what happens to each file, from its reading to
// its results; every output of a file (the classic files and the summary
// line, the pictures and the page, the result line and the result tables)
// is written by a writer that the front end added to it once, at the start
// of the batch. Each event reaches the writers in the order they were
// added.
#ifndef BRAVOLIN_CONSOLE_REPORTS_FILE_REPORT_H
#define BRAVOLIN_CONSOLE_REPORTS_FILE_REPORT_H

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bravolin/matrix.h"
#include "formats/tables/matrix_results.h"

// A file of the batch, read, as its writers see it: its matrix, its
// observed results once analysed, and with null models their values so far.
template <typename Analysis>
struct AnalysedFile {
    std::string name;
    const bravolin::Matrix* matrix = nullptr;
    const typename Analysis::Result* observed = nullptr;
    // With null models, once they start: the values of the simulations
    // completed (none at the start).
    const typename Analysis::NullModels* null = nullptr;
    // The generator's state before the file's first draw.
    std::uint32_t fileSeed = 0;
    // The simulations asked for; 0 without null models. With a precision,
    // once the null models are done: the simulations that ran.
    int simulations = 0;
};

// What happens to the files of a batch, for one kind of output. Each
// writer acts on the events it writes for and ignores the others.
template <typename Analysis>
class FileWriter {
public:
    using File = AnalysedFile<Analysis>;

    virtual ~FileWriter() = default;

    // The batch starts (its folder's lock taken), and ends.
    virtual void batchStarted() {}
    virtual void batchEnded() {}

    // A file is about to be read, as a table or a matrix file; it has been
    // read; or it cannot be used (the reader said why).
    virtual void reading(const std::string& /*name*/, bool /*table*/) {}
    virtual void read(const std::string& /*name*/, bool /*table*/) {}
    virtual void unusable(const std::string& /*name*/) {}

    // The file's observed analysis is done.
    virtual void observed(const File& /*file*/) {}
    // Its null models start, complete their simulation-th simulation (from
    // 1, in order), and end.
    virtual void nullModelsStarted(const File& /*file*/) {}
    virtual void simulationDone(const File& /*file*/, int /*simulation*/) {}
    virtual void nullModelsDone(const File& /*file*/) {}

    // Its analysis is complete: Complete, or Truncated when the reader lost
    // lines or cells of it.
    virtual void finished(const File& /*file*/, Completeness /*completeness*/) {}
    // An interrupt cut it short; its null models, if any, hold the
    // simulations completed.
    virtual void interrupted(const File& /*file*/) {}
    // Its analysis ran out of memory.
    virtual void abandoned(const std::string& /*name*/) {}
};

// The writers of a batch, told every event in the order they were added.
template <typename Analysis>
class FileReport {
public:
    using Writer = FileWriter<Analysis>;

    void add(std::unique_ptr<Writer> writer) { writers_.push_back(std::move(writer)); }

    // Tells every writer the event, as report.tell(&FileWriter<A>::observed,
    // file).
    template <typename... Parameters, typename... Arguments>
    void tell(void (Writer::*event)(Parameters...), const Arguments&... arguments)
    {
        for (const std::unique_ptr<Writer>& writer : writers_)
            ((*writer).*event)(arguments...);
    }

private:
    std::vector<std::unique_ptr<Writer>> writers_;
};

#endif
