// The command runner of the panes that show or list what a program prints: a title with bytes
// that are not UTF-8 (an old SD file in Latin-1) must not cost the user the whole report.
#pragma once

#include <string>

#include "platform/posix/ProcessRunner.h"

namespace molbench {

// Runs the text with /bin/bash -c; its standard output has each ill-formed UTF-8 sequence
// replaced by U+FFFD, and is nothing only when bash could not be started.
platform::posix::BashRun shellReport(const std::string& command);

// As shellReport, with what the program and bash write on standard error in the report too: a
// run the program refuses, or one that dies (bash's "Segmentation fault"), then says why in
// the pane instead of leaving its view empty.
platform::posix::BashRun shellReportWithMessages(const std::string& command);

}  // namespace molbench
