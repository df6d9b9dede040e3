#include "app/prob_equal_table.h"

#include <array>
#include <cstdio>

namespace quorbel {

namespace {

constexpr int kCells = 81;
constexpr int kFirstK = 2;
constexpr int kLastK = 29;
constexpr int kLastRounds = 12;

// x (x - 1) ... (x - n + 1), for a real x.
double Falling(double x, int n) {
  double product = 1;
  for (int i = 0; i < n; ++i)
    product *= x - i;
  return product;
}

void Append(std::string &text, double value) {
  char number[64];
  std::snprintf(number, sizeof number, "%f;", value);
  text += number;
}

} // namespace

std::string ProbEqualTable() {
  std::array<double, 101> factorial{};
  factorial[0] = 1;
  for (size_t i = 1; i < factorial.size(); ++i)
    factorial[i] = factorial[i - 1] * static_cast<double>(i);
  const auto binomial = [&](int n, int k) {
    return factorial[static_cast<size_t>(n)] /
           (factorial[static_cast<size_t>(k)] * factorial[static_cast<size_t>(n - k)]);
  };

  std::string text = ";";
  for (int k = kFirstK; k <= kLastK; ++k)
    Append(text, k);
  text += '\n';
  for (int j = 2; j <= kLastRounds; ++j) {
    Append(text, j);
    for (int k = kFirstK; k <= kLastK; ++k) {
      // Each round draws k distinct cells; E of them fall on the a cells covered so far.
      double a = k;
      const double draws = Falling(kCells, k);
      for (int round = 1; round < j; ++round) {
        double expected = 0;
        for (int l = 0; l <= k; ++l)
          expected += l * binomial(k, l) * Falling(kCells - a, k - l) * Falling(a, l) / draws;
        a = a + k - expected;
      }
      Append(text, static_cast<float>(a));
    }
    text += '\n';
  }
  return text;
}

} // namespace quorbel
