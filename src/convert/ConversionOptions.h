// What each of obabel's conversion options does to the molecules. A conversion that takes
// several obabel runs (a split under a selection; coordinates, then a pH) places every option
// by what it does, read from this one table, so the runs cannot disagree about an option.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "convert/ConversionCommand.h"

namespace molbench {

enum OptionDoes : unsigned {
  kChanges = 1u << 0,     // changes each molecule, and so what a selection tests
  kSelects = 1u << 1,     // leaves molecules out: by a test, or against the molecules before
  kJoins = 1u << 2,       // makes one molecule of all
  kSplits = 1u << 3,      // writes one file a molecule
  kCompresses = 1u << 4,  // gzips what it writes
  kMakesCoordinates = 1u << 5,
  // Its test sees the coordinates obabel makes (2D coordinates lose the stereo of SMILES: under
  // "unique", L- and D-alanine became one).
  kTestsCoordinates = 1u << 6,
  kTitles = 1u << 7,   // sets or appends to the title
  kAfterPH = 1u << 8,  // applied after a pH, where a run of its own applies one
};

struct ConversionOption {
  std::string ConversionPieces::*piece;
  unsigned does;
};

// Every option that follows the output in the command, in the order the command gives them.
inline const std::vector<ConversionOption>& conversionOptions() {
  using P = ConversionPieces;
  static const std::vector<ConversionOption> options = {
      {&P::cenCordinates, kChanges | kAfterPH},
      {&P::conDative, kChanges},
      {&P::onlyUnique, kSelects | kTestsCoordinates},
      {&P::joinmols, kJoins | kAfterPH},
      {&P::splitmols, kSplits},
      {&P::genCanonical, kChanges},
      {&P::zipfile, kCompresses},
      {&P::generate2Dmol, kMakesCoordinates},
      {&P::generate3Dmol, kMakesCoordinates},
      {&P::addTitle, kTitles},
      {&P::oremoveSalts, kChanges},
      {&P::osmartsConvert, kSelects | kTestsCoordinates},
      {&P::appendValues, kTitles | kAfterPH},
      {&P::theFilterCommand, kSelects | kAfterPH},
  };
  return options;
}

// An option's text in one run where it is not its piece's: the split run's own " -m ".
using OptionTexts = std::vector<std::pair<std::string ConversionPieces::*, std::string>>;

// The texts, in the command's order, of the options of `p` that do something `taken` names and
// nothing `left` names.
std::string optionsThat(const ConversionPieces& p, unsigned taken, unsigned left = 0,
                        const OptionTexts& texts = {});

// Whether an option of `p` that does something `does` names, and everything `alsoDoes` names, is
// on.
bool anyOptionThat(const ConversionPieces& p, unsigned does, unsigned alsoDoes = 0);

// Everything any option does.
inline constexpr unsigned kAnything = (kAfterPH << 1) - 1;

}  // namespace molbench
