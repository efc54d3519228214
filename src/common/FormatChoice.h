// What picking a format does in the conversion and search panes: the options popup of that
// side then holds the format's option table with its first row selected, or nothing.
#pragma once

#include "common/FormatFlags.h"
#include "platform/Bindings.h"
#include "platform/Control.h"
#include "platform/Outlet.h"

namespace molbench {

// The file and format controls that the conversion and search panes share: the input and
// output paths, their format popups and their options popups.
struct FileFormatControls {
  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::PopUpButton> inputFileoptions;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::PopUpButton> outputFiletype;
  platform::Outlet<platform::PopUpButton> outputFileoptions;

  // The titles of the four popups, for the format flags.
  FormatSettings readFormatSettings() const;

  // Declares the six outlets, and the format popups as the senders of the pane's
  // inputFileTypeChosen: and outputFileTypeChosen:.
  template <class Pane>
  static platform::Bindings<Pane> bind(platform::Bindings<Pane> bindings) {
    using F = FileFormatControls;
    return bindings.outlet("inputFilepath", &F::inputFilepath)
        .outlet("inputFiletype", &F::inputFiletype)
        .outlet("inputFileoptions", &F::inputFileoptions)
        .outlet("outputFilepath", &F::outputFilepath)
        .outlet("outputFiletype", &F::outputFiletype)
        .outlet("outputFileoptions", &F::outputFileoptions)
        .action("inputFileTypeChosen:", &Pane::inputFileTypeChosen, {"inputFiletype"})
        .action("outputFileTypeChosen:", &Pane::outputFileTypeChosen, {"outputFiletype"});
  }
};

void showInputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options);
void showOutputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options);

}  // namespace molbench
