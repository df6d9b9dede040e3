// The developer's text dump of one grid: open cells, next branch cell, and per playing
// cell its value, status, candidates and best scored value.
#pragma once

#include <string_view>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// Creates or overwrites the file; 0 (and nothing written) when it cannot be opened.
int DumpGridDebug(const GridGeometry &geo, const GridRecord &grid, std::string_view fileName);

} // namespace quorbel
