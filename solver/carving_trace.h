// The carving's trace file ("MaskData.txt"): one line per stage decision, written only while
// step display is on. A file that cannot be opened turns the trace off, silently.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace quorbel {

constexpr const char *kCarvingTraceName = "MaskData.txt";

class CarvingTrace {
public:
  CarvingTrace() = default;
  // Creates (or empties) the file at `path`.
  explicit CarvingTrace(const std::string &path);

  bool On() const { return file_ != nullptr; }
  void Write(const char *format, ...) __attribute__((format(printf, 2, 3)));
  void Close() { file_.reset(); }

private:
  struct Closer {
    void operator()(std::FILE *file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace quorbel
