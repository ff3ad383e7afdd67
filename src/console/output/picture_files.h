// The pictures of a run's analyses and the page of its batch as files,
// written when the command line asks for them (--svg, --report): each
// picture is written whole under its name ("a.txt_packed.svg"), replacing
// the picture of an earlier run, and the page anew after every matrix.
// What they show is the formats library's (formats/pictures).
#ifndef BRAVOLIN_CONSOLE_OUTPUT_PICTURE_FILES_H
#define BRAVOLIN_CONSOLE_OUTPUT_PICTURE_FILES_H

#include <string>
#include <vector>

#include "formats/pictures/analysis_pictures.h"

class OutputSession;

struct RunPictures {
    explicit RunPictures(OutputSession& output) : session(output) {}

    OutputSession& session;
    bool pictures = false;   // --svg
    bool page = false;       // --report
    ReportPage report;
    std::vector<std::string> filePictures;  // written of the matrix being analysed
    // Of every model that ran on the matrix being analysed, for its row of
    // the page.
    std::vector<ModelStatistics> fileStatistics;
};

// A new page for a batch of a mode, with or without null models, run
// with these settings, which the page lists in this order.
void startPicturePage(RunPictures& run, AnalysisMode mode, bool nullModels, const PageSettings& settings);

// NAME_packed.svg: the packed matrix of mode T with its isocline and its
// unexpected cells (result lists them when pictures are on).
void drawPackedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                      const bravolin::TemperatureResult& result);

// NAME_ordered.svg: the matrix of mode N in the order measured.
void drawOrderedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                       const bravolin::NodfResult& result);

// NAME_T_null.svg or NAME_N_null.svg: the simulated temperatures, or total
// NODF, of every model that ran (FF too) against the observed value, with
// each model's SES and nestedness P value, which are kept for the page.
void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::TemperatureResult& observed,
                           const bravolin::TemperatureNullModels& null);
void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::NodfResult& observed,
                           const bravolin::NodfNullModels& null);

// The row of the matrix just analysed, with the observed values of its
// summary values as written (the first one in mode T, three in mode N) and
// the SES and P value of every model that ran, and the page written anew.
void finishPicturesOfFile(RunPictures& run, const std::string& fileName, const std::vector<std::string>& summaryValues);

#endif
