// The null models of mode T. For every simulation four random matrices are
// drawn from the observed one, in the order Er, Ce, Li, Co, and each is
// packed and measured like the observed matrix:
//   Er keeps the overall fill (empty rows and columns then get one 1 each),
//   Ce keeps row and column fills on average,
//   Li keeps every row's number of 1s, Co every column's.
// Their temperatures go to the matrix's null-model file, one line per
// simulation; the means and P values of Er and Ce end its summary line.
#ifndef BRAVOLIN_TEMPERATURE_TEMPERATURE_NULL_MODELS_H
#define BRAVOLIN_TEMPERATURE_TEMPERATURE_NULL_MODELS_H

#include <cstdint>
#include <string>
#include <vector>

#include "common/cell_matrix.h"
#include "common/simulated_values.h"
#include "common/simulation_pipeline.h"
#include "common/stop_request.h"
#include "packing/packing.h"
#include "temperature/temperature.h"

// What a worker needs to pack and measure random matrices.
struct TemperatureWorker {
    PackingContext packing;
    TemperatureContext temperature;
};

// Runs simulationCount simulations for the observed matrix of the current
// file, packed and measured in observed, on threads threads (1: all on this
// one). The driver has set observedTemperature, savedRowCount and
// savedColumnCount. Writes the null-model file, header first, and ends the
// file's summary line. Keeps every simulated temperature in kept when it is
// given.
// Returns the threads that ran them. An interrupt ends the program once
// the simulations completed before it are written.
int runTemperatureNullModels(const PackingContext& observed, const SimulationThreads& threads,
                             SimulatedValues* kept = nullptr);

// The values that end the file's summary line once its null models have
// run, as written: the mean temperature and P value of Er, then of Ce.
std::vector<std::string> temperatureNullModelSummary();

// Replaces the top-left block of PresenceMatrix by the matrix that was
// analysed: the rows and the columns that survived the packing and trimming
// of the observed matrix (rowOrder[i + removedFullRows] for i = 1 ..
// rowCount, likewise the columns), in their order in the file, as rows
// 1..m' and columns 1..n'. Without trimming that is the matrix as read. The
// null models then randomise the cells that were analysed, not a corner of
// the file of the same size.
void keepAnalysedBlock(const PackingContext& observed);

// What the draws of every simulation of a file take from the block of
// PresenceMatrix they randomise (rows 1..savedRowCount, columns
// 1..savedColumnCount): the ones of every row and column, the Er threshold
// (of fillFraction) and every Ce cell's threshold (of rowFillFraction and
// columnFillFraction). These are the same at every simulation, so they are
// worked out once per file.
struct TemperatureDrawPlan {
    int rows = 0, columns = 0;
    std::vector<int> rowOnes, columnOnes;  // from index 1
    int erThreshold = 0;
    std::vector<std::uint16_t> ceThresholds;  // cell (i, j) at i * (columns + 1) + j
};
TemperatureDrawPlan planTemperatureDraws();

// The random matrices of the four models, drawn into the same block of out,
// each consuming its draws in a fixed order.
void drawErMatrix(const TemperatureDrawPlan& plan, CellMatrix& out);
void drawCeMatrix(const TemperatureDrawPlan& plan, CellMatrix& out);
void drawLiMatrix(const TemperatureDrawPlan& plan, CellMatrix& out);
void drawCoMatrix(const TemperatureDrawPlan& plan, CellMatrix& out);

// Packs and measures a random matrix of savedRowCount x savedColumnCount
// cells as the observed one was; returns its temperature. drawn is the
// worker's afterwards, and its cells mean nothing.
float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn, const StopRequest& stop = {});

// A random position from 1 to k for one draw: k times the draw's fraction,
// rounded to the nearest integer with halves down, and 0 taken as 1.
int drawPosition(int k);

#endif
