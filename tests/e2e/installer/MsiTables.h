#pragma once

// Reading a Windows Installer database with msiinfo (msitools): its tables
// row by row and its summary information.

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/startup/Harness.h"

namespace e2e::msi {

using Row = std::vector<std::string>;

// The rows of a table, each a list of its fields (empty when the table is
// missing or empty). Not for tables with binary fields, whose exports
// msiinfo writes as files into the current directory; see stream().
std::vector<Row> table(const fs::path& msi, const std::string& name);

// The Property table as a map from name to value.
std::map<std::string, std::string> properties(const fs::path& msi);

// The bytes of a stream, such as "Icon.<name>" for an entry of the Icon
// table.
std::string stream(const fs::path& msi, const std::string& name);

// One field of the summary information ("Template", "Subject", ...).
std::string summary(const fs::path& msi, const std::string& field);

}  // namespace e2e::msi
