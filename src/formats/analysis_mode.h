// The program's two analyses, as every front end names them: the matrix
// temperature (mode T) and the NODF metric (mode N).
#ifndef BRAVOLIN_FORMATS_ANALYSIS_MODE_H
#define BRAVOLIN_FORMATS_ANALYSIS_MODE_H

enum class AnalysisMode { Temperature, Nodf };

// The letter a mode goes by on the command line, in the dialogue and in
// the names of the batch's tables and page: T or N.
constexpr char modeLetter(AnalysisMode mode)
{
    return mode == AnalysisMode::Temperature ? 'T' : 'N';
}

#endif
