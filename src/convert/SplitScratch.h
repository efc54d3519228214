// The scratch file between the two runs of a split under a selection: the first run selects and
// writes the molecules there, the second reads them back and writes one file each. Open Babel
// 3.1.1 splits (-m) by converting each molecule on its own, so it cannot select in the run that
// splits.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// How the two runs write and read the scratch file.
struct SplitScratch {
  std::string write;       // the first run's output format and option: "-osmi -xn"
  std::string read;        // the split run's input format: "-iinchi"
  std::string readOption;  // after the file it reads ("-an"): obabel takes it for a value before
  // Whether the split run copies the text of each molecule as the first run wrote it ("-ocopy")
  // instead of writing it anew in the output format.
  bool copies = false;
};

// How the records of an input format end, where the first run can pass those it selects as they
// were read, with obabel's "copy" format, for the split run to read in the same format and
// convert each as obabel converts it alone (when the file is copied whole: CopiedInput.h).
// kNone: they are written anew in the format splitScratch gives.
enum class CopiedRecords { kNone, kLines, kMdl, kPdbModels };

// For the code of the format obabel reads the input in ("sdf", "SMI": any case).
CopiedRecords copiedRecords(const std::string& inputFormatCode);

// Whether the molecules of an input in this format ("cml", "XYZ": any case), written anew by
// obabel in the same format, read back as the input itself reads, where "copy" cannot pass them
// whole: each split file is then what obabel writes for that molecule converted alone, in every
// format it writes. Measured on CML (copy drops the XML wrapper) and XYZ (copy loses molecules;
// obabel titles an untitled one by the path of the file it read, and the first run writes that
// title). Through CML with properties, titles and bonds of these changed in 81 of 125 formats.
bool rewrittenAsRead(const std::string& inputFormatCode);

// For the code of the format obabel writes at the output ("smi", "SDF": any case) and the
// output-options popup's token ("" for none).
SplitScratch splitScratch(const std::string& formatCode, const std::string& writeOption);

// A command piece that stops the command, said on standard error, when the file system of the
// scratch path (a shell word such as "$tmp") has no room left: obabel exits 0 when its writes
// fail for want of room, and what it wrote there is then cut short. `keptFromRoot` is given when
// the command runs as root: the bytes that file system keeps even from root. Root writes on
// into the blocks kept for root, so for root no room means no more free bytes than those.
std::string scratchRoomCheck(const std::string& scratchPath,
                             std::optional<unsigned long long> keptFromRoot);

}  // namespace molbench
