// Construction of the engine context.
#include "engine/engine_context.h"

namespace quorbel {

namespace {
NullHost gNullHost;
} // namespace

EngineContext::EngineContext() : Host(&gNullHost) {}

EngineContext::EngineContext(EngineHost &host) : Host(&host) {}

} // namespace quorbel
