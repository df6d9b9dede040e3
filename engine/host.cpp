// The out-of-memory stop shared by every allocation of the engine.
#include "engine/host.h"

#include <cstdio>
#include <cstdlib>

#include "engine/engine_context.h"

namespace quorbel {

void EngineHost::ReportOutOfMemory(std::string_view text) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

std::string_view OutOfMemoryText(int language) {
  return language == kLanguageFrench ? "Mémoire insuffisante. Arrêt programme."
                                     : "Not Enough Memory. Program Abort";
}

void AbortOutOfMemory(const EngineContext &ctx) {
  ctx.Host->ReportOutOfMemory(OutOfMemoryText(ctx.Settings.Language));
  std::exit(-1);
}

} // namespace quorbel
