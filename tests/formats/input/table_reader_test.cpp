// Field tables in the styles R, spreadsheets and editors write them (and
// the files R wrote in fixtures/r_exports), their names, what a scripted run
// is told of each, the files refused, and the errors that name a line and a
// column.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "formats/input/table_reader.h"
#include "support/matrices.h"
#include "support/scratch.h"

namespace {

using Names = std::vector<std::string>;

// Reads content as the table NAME.csv, with the console captured.
struct Read {
    bool ok;
    bravolin::Matrix matrix;
    std::string console;
};

Read readTable(const std::string& content, const TableLayout& layout)
{
    std::string said;
    TableRead read = readTableText(content, "NAME.csv", layout, [&said](const std::string& text) { said += text; });
    return {read.outcome == TableOutcome::Read, read.matrix, said + read.announcement};
}

Read readTable(const std::string& content, bool transpose = false)
{
    TableLayout layout;
    layout.transpose = transpose;
    return readTable(content, layout);
}

const std::filesystem::path kExports =
    std::filesystem::path(BRAVOLIN_SOURCE_DIR) / "tests/formats/input/fixtures/r_exports";

std::string exportText(const std::string& name)
{
    std::ifstream in(kExports / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What R holds for each file of expected.txt: its presences and names.
struct Held {
    Rows rows;
    Names rowNames, columnNames;
};

std::map<std::string, Held> heldByR()
{
    std::map<std::string, Held> held;
    Held* current = nullptr;
    for (const std::string& line : splitLines(exportText("expected.txt"))) {
        const std::string word = line.substr(0, line.find(' ')), rest = line.substr(line.find(' ') + 1);
        if (word == "file")
            current = &held[rest];
        else if (word == "row")
            current->rowNames.push_back(rest);
        else if (word == "column")
            current->columnNames.push_back(rest);
        else if (word == "cells")
            current->rows.push_back(rest);
    }
    return held;
}

const Rows kRows = {"101", "011", "110"};
const Names kSpecies = {"sp1", "sp2", "sp3"};
const Names kSites = {"s1", "s2", "s3"};

}  // namespace

TEST(TableReader, EveryStyleGivesTheMatrixOfItsPresences)
{
    struct Style {
        const char* what;
        std::string text;
        Names rowNames, columnNames;
    };
    const Style styles[] = {
        {"write.csv", "\"\",\"sp1\",\"sp2\",\"sp3\"\n\"s1\",1,0,1\n\"s2\",0,1,1\n\"s3\",4,2.5,0\n", kSites, kSpecies},
        {"write.csv with numbers as row names",
         "\"\",\"sp1\",\"sp2\",\"sp3\"\n\"1\",1,0,1\n\"2\",0,1,1\n\"3\",4,2.5,0\n", {"1", "2", "3"}, kSpecies},
        {"write.csv without row names", "\"sp1\",\"sp2\",\"sp3\"\n1,0,1\n0,1,1\n4,2.5,0\n", {}, kSpecies},
        {"write.table", "\"sp1\" \"sp2\" \"sp3\"\n\"s1\" 1 0 1\n\"s2\" 0 1 1\n\"s3\" 4 2.5 0\n", kSites, kSpecies},
        {"semicolons, decimal commas", "site;sp1;sp2;sp3\ns1;1;0;1\ns2;0;1;1\ns3;4;2,5;0\n", kSites, kSpecies},
        {"tabs, row names", "\tsp1\tsp2\tsp3\ns1\t1\t0\t1\ns2\t0\t1\t1\ns3\t4\t0,5\t0\n", kSites, kSpecies},
        {"blanks, no names", "1 0 1\n  0   1 1\n4 2.5 0  \n", {}, {}},
        {"logicals", "sp1,sp2,sp3\nTRUE,FALSE,true\nFALSE,True,TRUE\nTRUE,TRUE,false\n", {}, kSpecies},
        {"byte order mark, CR LF, blank lines",
         "\xEF\xBB\xBFsite,sp1,sp2,sp3\r\n\r\ns1,1,0,1\r\ns2,0,1,1\r\n  \r\ns3,1e3,0.5,0\r\n", kSites, kSpecies},
        {"quoted names with delimiters, quotes and a line end",
         "\"\",\"sp \"\"a\"\"\",\"sp, b\",\"sp\nc\"\n\"s, 1\",1,0,1\n\"s2\",0,1,1\n\"s3\",1,1,0\n",
         {"s, 1", "s2", "s3"}, {"sp \"a\"", "sp, b", "sp\nc"}},
    };
    for (const Style& style : styles) {
        const Read read = readTable(style.text);
        ASSERT_TRUE(read.ok) << style.what << ": " << read.console;
        EXPECT_EQ(rowsOf(read.matrix), kRows) << style.what;
        EXPECT_EQ(read.matrix.rowNames(), style.rowNames) << style.what;
        EXPECT_EQ(read.matrix.columnNames(), style.columnNames) << style.what;
    }
}

TEST(TableReader, EveryRExportGivesTheMatrixAndNamesRHolds)
{
    // The files write_exports.R wrote, each with the R call beside it there.
    const struct {
        const char* file;
        bool transpose;
    } exports[] = {
        {"write_csv.csv", false},              // empty corner above the row names
        {"write_csv_no_row_names.csv", false},  // quoted header over unquoted numbers
        {"write_csv2.csv", false},              // semicolons and decimal commas
        {"write_csv2_no_row_names.csv", false},
        {"write_table.txt", false},             // blanks, the header one field shorter
        {"write_table_no_quotes.txt", false},
        {"write_table_tab.tsv", false},
        {"write_table_tab_corner.tsv", false},  // tabs, an empty corner without quotes
        {"species_by_site.csv", true},
        {"numbered.csv", false},                // sites 1..4 and species 101..105
        {"numbered_no_row_names.csv", false},
        {"numbered_table.txt", false},
        {"plots.csv", false},             // Plot,AchiMill,... with plots 1..5
        {"plot_ids.csv", false},          // plot_id 12, 3, 40, 7, 25
        {"quote_in_name.txt", false},           // Carex \"nigra\" L
        {"quote_in_name.csv", false},           // Carex ""nigra"" L
        {"logical.csv", false},                 // TRUE and FALSE
        {"bom_crlf.csv", false},                // a byte order mark, CR LF, accented names
    };
    const std::map<std::string, Held> held = heldByR();
    ASSERT_EQ(held.size(), std::size(exports));
    for (const auto& file : exports) {
        const Read read = readTable(exportText(file.file), file.transpose);
        ASSERT_TRUE(read.ok) << file.file << ": " << read.console;
        const Held& r = held.at(file.file);
        EXPECT_EQ(rowsOf(read.matrix), r.rows) << file.file;
        EXPECT_EQ(read.matrix.rowNames(), r.rowNames) << file.file;
        EXPECT_EQ(read.matrix.columnNames(), r.columnNames) << file.file;
    }
}

TEST(TableReader, EachTableSaysHowItWasReadAndWhatReadsItOtherwise)
{
    const TableLayout found, transposed{{}, {}, true};
    const struct {
        std::string text;
        TableLayout layout;
        std::string said;
    } tables[] = {
        {"\"\",\"a\",\"b\"\n\"1\",1,0\n\"2\",0,1\n", found,
         "2 sites x 2 species; header row of names; first column read as site names, below an empty corner "
         "(--row-names no reads it as a species)."},
        {"a b\ns1 1 0\ns2 0 1\n", found,
         "2 sites x 2 species; header row of names; first column read as site names, the header having no "
         "field above it."},
        {"site,a,b\ns1,1,0\ns2,0,1\n", found,
         "2 sites x 2 species; header row of names; first column \"site\" read as site names."},
        {"Plot,a,b\n1,1,0\n2,0,1\n", found,
         "2 sites x 2 species; header row of names; first column \"Plot\" read as site names (--row-names no "
         "reads it as a species)."},
        {"1,1,0\n2,0,1\n3,1,1\n", found,
         "3 sites x 2 species; no header row (--header yes reads the first row as species names); first "
         "column, numbered 1 to 3, read as site names (--row-names no reads it as a species)."},
        {"\"101\",\"102\"\n1,0\n0,1\n", found,
         "2 sites x 2 species; header row of names (--header no reads it as a site); no column of site names "
         "(--row-names yes reads the first column as site names)."},
        {"\"\",\"1\",\"2\",\"3\"\n\"sp1\",1,0,1\n\"sp2\",0,1,1\n", transposed,
         "3 sites x 2 species, its rows read as species; header row of names (--header no reads it as a "
         "species); first column read as species names, below an empty corner."},
        {"101,102\n1,0\n0,1\n", {true, false, false},
         "2 sites x 2 species; header row of names (--header yes); no column of site names (--row-names no)."},
        {"1,1,0\n0,0,1\n", {false, true, false},
         "2 sites x 2 species; no header row (--header no); first column read as site names (--row-names yes)."},
        {"1\n0\n1\n", found,
         "3 sites x 1 species; no header row (--header yes reads the first row as species names); no column "
         "of site names (--row-names yes reads the first column as site names)."},
    };
    for (const auto& table : tables) {
        const Read read = readTable(table.text, table.layout);
        EXPECT_TRUE(read.ok) << table.text;
        EXPECT_EQ(read.console, "File: NAME.csv: " + table.said + "\n") << table.text;
    }
    // What the options read instead.
    Read read = readTable("101,102\n1,0\n0,1\n", {true, {}, false});
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"10", "01"}));
    EXPECT_EQ(read.matrix.columnNames(), (Names{"101", "102"}));
    read = readTable("1,1,0\n0,0,1\n", {{}, true, false});
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"10", "01"}));
    EXPECT_EQ(read.matrix.rowNames(), (Names{"1", "0"}));
    read = readTable("Plot,a,b\n1,1,0\n2,0,1\n", {{}, false, false});
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"110", "101"}));
    EXPECT_EQ(read.matrix.columnNames(), (Names{"Plot", "a", "b"}));
    EXPECT_EQ(readTable("a b\n1 1 0\n", {{}, false, false}).console,
              "File: NAME.csv: line 1 (the header) has 2 fields, the data rows 3.\n");
}

TEST(TableReader, UnicodeTextAndMatrixFilesAreRefusedWithWhatToDo)
{
    const struct {
        std::string text, message;
    } refused[] = {
        {std::string("\xFF\xFE" "a\0,\0b\0\n\0" "1\0,\0" "0\0\n\0", 16),
         "File: NAME.csv is UTF-16 text; save it as UTF-8 or CSV.\n"},
        {std::string("\xFE\xFF\0a\0,\0b", 8), "File: NAME.csv is UTF-16 text; save it as UTF-8 or CSV.\n"},
        {"0110\n  1011 \r\n\n0001\n",
         "File: NAME.csv looks like a matrix of 0s and 1s; read it without --table.\n"},
    };
    for (const auto& file : refused) {
        const Read read = readTable(file.text);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.console, file.message);
    }
    // A matrix file is told apart, so that a front end can read it as one.
    EXPECT_EQ(readTableText(refused[2].text, "NAME.csv", {}, [](const std::string&) {}).outcome,
              TableOutcome::MatrixFile);
}

TEST(TableReader, ABlankHeaderOverTabRowsAndATransposedTable)
{
    // A header written with blanks over rows written with tabs.
    Read read = readTable("sp1 sp2 sp3\n1\t0\t1\n0\t1\t1\n1\t1\t0\n");
    ASSERT_TRUE(read.ok) << read.console;
    EXPECT_EQ(rowsOf(read.matrix), kRows);
    EXPECT_EQ(read.matrix.columnNames(), kSpecies);
    // Species as rows.
    read = readTable(",s1,s2\nsp1,1,0\nsp2,1,1\nsp3,0,1\n", true);
    ASSERT_TRUE(read.ok) << read.console;
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"110", "011"}));
    EXPECT_EQ(read.matrix.rowNames(), (Names{"s1", "s2"}));
    EXPECT_EQ(read.matrix.columnNames(), kSpecies);
}

TEST(TableReader, ErrorsNameTheFileTheLineAndTheColumn)
{
    const struct {
        std::string text, message;
    } errors[] = {
        {"\"\",\"a\",\"b\"\n\"s1\",1,0\n\"s2\",NA,1\n", "File: NAME.csv: line 3, column 2: \"NA\" is not a number.\n"},
        {"a,b\n1,\n", "File: NAME.csv: line 2, column 2: the cell is empty.\n"},
        {"a;b\r\n1;-2\r\n", "File: NAME.csv: line 2, column 2: \"-2\" is a negative number.\n"},
        {"a,b\n1,Inf\n", "File: NAME.csv: line 2, column 2: \"Inf\" is not a number.\n"},
        {"1,0\nx,1\n", "File: NAME.csv: line 2, column 1: \"x\" is not a number.\n"},
        {"a,b,c\n1,0,1\n1,0\n", "File: NAME.csv: line 3 has 2 fields, the data rows above it 3.\n"},
        {"a,b,c,d,e\n1,0,1\n", "File: NAME.csv: line 1 (the header) has 5 fields, the data rows 3.\n"},
        {"a,b\n\n", "File: NAME.csv: the table has no data row.\n"},
        {"s1\ns2\n", "File: NAME.csv: the table has no column of cells, only names.\n"},
        // Cells quoted with their control characters escaped, cut at 40 code points.
        {"a,b\n1,\x1b[2J\n", "File: NAME.csv: line 2, column 2: \"\\x1b[2J\" is not a number.\n"},
        {"a,b\n1," + std::string(45, 'x') + "\n",
         "File: NAME.csv: line 2, column 2: \"" + std::string(40, 'x') + "...\" is not a number.\n"},
    };
    for (const auto& error : errors) {
        const Read read = readTable(error.text);
        EXPECT_FALSE(read.ok) << error.text;
        EXPECT_EQ(read.console, error.message) << error.text;
    }
    std::string large;
    for (int row = 0; row < 3002; row++)
        large += "1,0\n";
    EXPECT_EQ(readTable(large).console,
              "File: NAME.csv: the table has 3002 rows and 2 columns of cells; at most 3000 of each can be analysed.\n");
}

TEST(TableReader, AbundancesAreKeptWhenAskedInTheMatrixsOrderAndNames)
{
    struct Case {
        std::string table;
        bool transpose;
        std::vector<double> cells;  // 2 x 3, row by row
    };
    const std::vector<Case> cases = {
        // Names, a decimal comma, TRUE and FALSE, an exponent.
        {"\"\";\"a\";\"b\";\"c\"\n\"s1\";2,5;0;TRUE\n\"s2\";FALSE;1e2;7\n", false, {2.5, 0, 1, 0, 100, 7}},
        // No names: the first field of each row is a cell.
        {"0.5,3,0\n12,0,1\n", false, {0.5, 3, 0, 12, 0, 1}},
        // Species as rows.
        {",s1,s2\nx,4,0\ny,0,2\nz,1,1\n", true, {4, 0, 1, 0, 2, 1}},
    };
    for (const Case& c : cases) {
        TableLayout layout;
        layout.transpose = c.transpose;
        layout.abundances = true;
        const TableRead read = readTableText(c.table, "NAME.csv", layout, [](const std::string&) {});
        ASSERT_TRUE(read.abundances.has_value()) << c.table;
        EXPECT_EQ(read.abundances->cells(), c.cells) << c.table;
        EXPECT_EQ(read.abundances->presences().cells(), read.matrix.cells());
        EXPECT_EQ(read.abundances->rowNames(), read.matrix.rowNames());
        EXPECT_EQ(read.abundances->columnNames(), read.matrix.columnNames());
        layout.abundances = false;
        EXPECT_FALSE(readTableText(c.table, "NAME.csv", layout, [](const std::string&) {}).abundances.has_value());
    }
    TableLayout layout;
    layout.abundances = true;
    for (const std::string& table : {std::string("1,1e999\n0,1\n"), std::string("1e-999,1\n0,1\n")}) {
        std::string said;
        const TableRead read = readTableText(table, "NAME.csv", layout, [&said](const std::string& text) { said += text; });
        EXPECT_EQ(read.outcome, TableOutcome::Skipped);
        EXPECT_NE(said.find("line 1, column "), std::string::npos) << said;
        EXPECT_NE(said.find("\" is beyond the numbers that can be held"), std::string::npos) << said;
    }
}
