// The generate command of quorbel-bench.
#pragma once

namespace quorbel::bench {

// quorbel-bench generate --size S [--shape RxC|irregular] --level L --count N [--seed X]
int RunGenerateCommand(int argc, char **argv);

// quorbel-bench rows [--size S]: "ROW NAME" for each catalogue row the generator makes at that size.
int RunRowsCommand(int argc, char **argv);

} // namespace quorbel::bench
