// The magic sentences of the Magic Sentence rule: choosing one for the current grid size
// from "MSentFr.dat" / "MSentEn.dat" (Latin-1, CR LF) and scrambling its letters.
// File lines: "G n" starts the sentences of size n, "!" starts a remark, any other line
// is "letters;second field;third field".
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

struct EngineContext;
struct GridSet;

// The current sentence, UTF-8. The letter field stands for the values 1..W in order.
struct MagicSentenceText {
  std::string Letters;
  std::string Second;
  std::string Third;
};

// Splits one sentence line: the letter field is empty when the line has no ";".
MagicSentenceText SplitMagicSentence(std::string_view line);

// Takes a random sentence of the current grid width from the file of the interface
// language in the start directory and scrambles its letters. Returns the number of
// letters; 0 when the file cannot be read (the sentence is then kept) or holds no
// sentence of this size (the sentence is then emptied).
int PickMagicSentence(EngineContext &ctx);
// The same from a named file.
int PickMagicSentenceFrom(EngineContext &ctx, const std::string &path);

// The letters of the values 1..W in the Magic Sentence letter table of the first main grid that
// has the rule and a table ('?' for a value no letter stands for); empty when none has.
std::string MagicSentenceLetters(const GridSet &set, int width);
// The value a typed letter stands for in those letters, 0 when none.
int MagicLetterValue(const std::string &letters, char key);

// Replaces every `from` by `to` in the letter field, character by character; returns how
// many were replaced (0 when the two are equal).
int ReplaceCharInSentence(EngineContext &ctx, char32_t from, char32_t to);

} // namespace quorbel
