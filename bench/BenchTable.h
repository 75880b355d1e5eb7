// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

// One row of the benchmark table: name, median, min, max, budget and whether the
// median keeps it.
#include <algorithm>
#include <cstdio>
#include <vector>

namespace BenchTable {

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline void header()
{
    std::printf("%-52s %9s %9s %9s %9s  %s\n", "measure", "median", "min", "max", "budget", "");
}

// A budget of 0 means none: the row is for reading.
inline void row(const char* name, const std::vector<double>& values, double budget = 0)
{
    const double m = median(values);
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    char budgetText[16] = "";
    const char* verdict = "";
    if (budget > 0) {
        std::snprintf(budgetText, sizeof budgetText, "%.2f", budget);
        verdict = m <= budget ? "ok" : "OVER";
    }
    std::printf("%-52s %9.2f %9.2f %9.2f %9s  %s\n", name, m, values.empty() ? 0 : *lo,
                values.empty() ? 0 : *hi, budgetText, verdict);
    std::fflush(stdout);
}

} // namespace BenchTable
