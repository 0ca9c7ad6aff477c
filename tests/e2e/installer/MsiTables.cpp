#include "tests/e2e/installer/MsiTables.h"

#include <gtest/gtest.h>

#include <sstream>

namespace e2e::msi {

namespace {

const Environment Plain{{"PATH", "/usr/bin:/bin"}};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        found.push_back(line);
    }
    return found;
}

Row fields(const std::string& line) {
    Row row;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        row.push_back(line.substr(start, tab - start));
    }
    row.push_back(line.substr(start));
    return row;
}

}  // namespace

std::vector<Row> table(const fs::path& msi, const std::string& name) {
    const Result r = runProgram({MSIINFO, "export", msi.string(), name}, Plain);
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    // An export starts with three lines: column names, column types, and
    // the table's name with its key columns.
    const std::vector<std::string> all = lines(r.out);
    std::vector<Row> rows;
    for (std::size_t i = 3; i < all.size(); ++i) rows.push_back(fields(all[i]));
    return rows;
}

std::map<std::string, std::string> properties(const fs::path& msi) {
    std::map<std::string, std::string> found;
    for (const Row& row : table(msi, "Property")) found[row.at(0)] = row.at(1);
    return found;
}

std::string stream(const fs::path& msi, const std::string& name) {
    const Result r = runProgram({MSIINFO, "extract", msi.string(), name}, Plain);
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    return r.out;
}

std::string summary(const fs::path& msi, const std::string& field) {
    const Result r = runProgram({MSIINFO, "suminfo", msi.string()}, Plain);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string prefix = field + ": ";
    for (const std::string& line : lines(r.out)) {
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    return "";
}

}  // namespace e2e::msi
