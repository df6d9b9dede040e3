// The search trace file.
#include "engine/search_debug.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "engine/engine_context.h"
#include "platform/paths.h"

namespace quorbel {

int WriteSearchDebug(const EngineContext &ctx, std::string_view text, int start) {
  if (ctx.Settings.DebugSearch == 0)
    return 0;
  const std::filesystem::path path = MakeAbsolutePath("mydebug\\debugSearch.txt");
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), start == 1 ? "wb" : "ab"),
                                                        std::fclose);
  if (!file)
    return 0;
  return std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() ? 1 : 0;
}

} // namespace quorbel
