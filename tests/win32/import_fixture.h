#pragma once
// What the tests of an import in the real tarvelo.exe share: a database with
// known rows, a large postcode file, and the file dialog driven from outside.
#include "program_runner.h"

#include "store/database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tarvelo_test {

// The rows that WriteDatabase stores, as kRowsQuery-style text.
inline constexpr const char* kPreviousRows = "4000|BRISBANE|QLD;0800|DARWIN|NT;6000|PERTH|WA";

tarvelo::DatabaseConnection OpenDatabase(const std::string& file);

// Database\Tarvelos v0.00.ptk in folder (file is its path), holding the
// previous rows.
bool WriteDatabase(const std::string& folder, const std::string& file);

// An Australia Post file of lines rows, heading first, large enough that the
// engine writes pages of new rows into the database file before it commits.
void WriteLargeFile(const std::string& path, int lines);

std::uint64_t FileSize(const std::string& path);

// Chooses path in the program's file dialog, as typed into its file name box
// and confirmed with Return.
::testing::AssertionResult ChooseFile(const Program& program, const std::string& path);

} // namespace tarvelo_test
