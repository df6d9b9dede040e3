// The carving's trace file.
#include "solver/carving_trace.h"

#include <cstdarg>

namespace quorbel {

CarvingTrace::CarvingTrace(const std::string &path) : file_(std::fopen(path.c_str(), "w")) {}

void CarvingTrace::Write(const char *format, ...) {
  if (!file_)
    return;
  va_list args;
  va_start(args, format);
  std::vfprintf(file_.get(), format, args);
  va_end(args);
}

} // namespace quorbel
