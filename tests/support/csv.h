// Reading the program's CSV tables back in the tests: RFC 4180 fields,
// rows by their column names.
#ifndef BRAVOLIN_TESTS_SUPPORT_CSV_H
#define BRAVOLIN_TESTS_SUPPORT_CSV_H

#include <map>
#include <string>
#include <vector>

// The rows of a CSV text with a header row, each as column name -> field.
std::vector<std::map<std::string, std::string>> csvRows(const std::string& text);

// A line of a results table without its date, the field before the last
// (complete): what two runs of the same analysis share.
std::string withoutDateField(const std::string& line);

#endif
