#include "platform/printf_text.h"

#include <cstdarg>
#include <cstdio>

namespace quorbel {

std::string PrintfText(const char *format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

} // namespace quorbel
