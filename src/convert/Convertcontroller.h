// The conversion pane: turns its controls into one obabel command, shows or runs it, runs an
// edited command, counts the molecules of a file and lists its SD data fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/FormatChoice.h"
#include "common/FormatTables.h"
#include "convert/ConversionCommand.h"
#include "platform/Bindings.h"

namespace molbench {

// The stored command pieces come from ConversionPieces, so the composition can update them
// without a window.
class Convertcontroller : public platform::BoundViewController<Convertcontroller>,
                          public ConversionPieces,
                          public FormatTableNames,
                          public FileFormatControls {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<Convertcontroller>& bindings();

  template <class T>
  using Outlet = platform::Outlet<T>;
  using TextField = platform::TextField;
  using PopUpButton = platform::PopUpButton;
  using Button = platform::Button;

  std::string iFilepath, theinputFileType, istringOpt;

  std::string oFilepath, theoutputFileType, ostringOpt, oPH;

  Outlet<PopUpButton> hydrogensPop;
  Outlet<TextField> thePH;
  Outlet<Button> centreCordinates, convertDativebonds, onlyUniquemols, joinIntosinglemol,
      splitIntoindividualmols, canonicaliseAtomorder, filterOption;
  Outlet<TextField> filterProperties;
  Outlet<Button> zipoutput, generate2D, generate3D, addTitleIndex;
  Outlet<TextField> theTitle;
  Outlet<Button> removeSalts;

  Outlet<Button> appendTotitle;
  Outlet<TextField> valueToappend;
  Outlet<TextField> fromTo;
  Outlet<Button> convertAll, convertSeletion;

  Outlet<TextField> convertFrom, convertTo;
  std::string oConvert;

  Outlet<PopUpButton> smartsConvertoptions;
  Outlet<TextField> smartsConvert;
  Outlet<TextField> obabelText;
  std::string obshellresult, obabelPath, obshellCommand;

  const Titles& smartConvertmenuoptions = formatTables().smartConvertmenuoptions;
  const Titles& hydrogensMenu = formatTables().hydrogensMenu;

  void viewDidLoad() override;

  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void inputFileTypeChosen(platform::Control* sender);
  void outputFileTypeChosen(platform::Control* sender);
  void convertFile(platform::Control* sender);
  void checkObabel(platform::Control* sender);
  void runObabelcommand(platform::Control* sender);
  void countMols(platform::Control* sender);
  void radioButtonChanged(platform::Control* sender);
  void listTags(platform::Control* sender);
  void filterHelp(platform::Control* sender);

 private:
  // Reads the stored obabel path and the controls and composes the conversion; when its run
  // would be refused (an input it cannot read, an output that would destroy a file), shows why
  // and gives nothing. Else updates the pieces and writes the input-format line. Convert and
  // Check both come here, so Check never shows a command that Convert would refuse.
  std::optional<ComposedCommand> guardedConversion(std::string_view action);
  bool conversionControlsConnected(std::string_view action);
  ConversionSettings readSettings() const;
  // Why the count shows no number: what to check.
  std::string noCountProblem() const;
  // Why Run refuses the command field's text: it is what Count, List tags or the filter help
  // put there, unchanged.
  std::optional<std::string> notACommandProblem(const std::string& command) const;
  // Puts text that is no command into the command field, saying what it is.
  void showInCommandField(const std::string& text, const char* what);

  // Whether the conversion writes a format that holds no atom positions.
  bool writesCoordinatelessFormat(const std::string& outputPath) const;

  // What Count, List tags or the filter help last put into the command field, as put there and
  // as the field handed it back right after. That text comes from a file or a program (a data
  // field may be named "touch x"), so while the field holds it unedited, Run refuses to hand it
  // to the shell.
  struct ShownText {
    std::string text;
    std::string readBack;
    const char* what = "";
  } shownText;
};

}  // namespace molbench
