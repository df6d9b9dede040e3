// The expected coverage table: j rounds of k cells cover 81 (1 - (1 - k/81)^j) cells.
#include "app/prob_equal_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace quorbel {
namespace {

std::vector<std::vector<double>> Rows(const std::string &text) {
  std::vector<std::vector<double>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<double> row;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ';');)
      row.push_back(field.empty() ? NAN : std::stod(field));
    rows.push_back(row);
  }
  return rows;
}

TEST(ProbEqualTable, EveryValueIsTheExpectedCoverage) {
  const std::vector<std::vector<double>> rows = Rows(ProbEqualTable());
  ASSERT_EQ(rows.size(), 12u); // heading, j = 2..12
  EXPECT_EQ(rows[0][1], 2.0);
  EXPECT_EQ(rows[0].back(), 29.0);
  for (size_t r = 1; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), 29u);
    const double j = rows[r][0];
    EXPECT_EQ(j, static_cast<double>(r + 1));
    for (int k = 2; k <= 29; ++k)
      EXPECT_NEAR(rows[r][static_cast<size_t>(k - 1)], 81 * (1 - std::pow(1 - k / 81.0, j)), 1e-4)
          << j << " " << k;
  }
}

} // namespace
} // namespace quorbel
