// The temperature's null models randomise the block that packing kept.
#include <gtest/gtest.h>

#include "bravolin/temperature.h"
#include "core/null_models/temperature_null_models.h"
#include "support/matrices.h"

using namespace bravolin;

TEST(TemperatureNullModels, ModelsDrawFromTheRowsAndColumnsThatWereAnalysed)
{
    // Trimmed matrices keep the rows and columns that survived, in the
    // matrix's order; without trimming the block is the matrix as read.
    const Rows observed[] = {{"111", "111", "100", "000"}, {"110", "100", "000"}, {"0100", "1111", "0110", "1101"}};
    const Rows kept[] = {{"111", "100"}, {"11", "10"}, {"0100", "1111", "0110", "1101"}};
    for (int example = 0; example < 3; example++) {
        const Matrix matrix = matrixOf(observed[example]);
        const RandomisedBlock block = analysedBlock(matrix, analyseTemperature(matrix));
        EXPECT_EQ(matrixRows(block.cells, block.rows, block.columns), kept[example]);
    }
}
