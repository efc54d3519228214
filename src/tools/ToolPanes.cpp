#include "tools/ToolPanes.h"

#include "platform/SceneRegistry.h"
#include "tools/ToolNotBuiltYet.h"
#include "tools/ToolsController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obconformerviewcontroller.h"
#include "tools/obgenviewcontroller.h"
#include "tools/obrotateviewcontroller.h"
#include "tools/obtautomerviewcontroller.h"
#include "tools/obtoolsviewcontroller.h"

namespace molbench {

const std::array<ToolPaneRow, kToolPaneCount>& toolPanes() {
  // Each row names one pane class; the calculation tools take the stand-in until built.
  static const std::array<ToolPaneRow, kToolPaneCount> rows{{
      {"Choose", "obtoolsblank", 1, makeToolPane<obtoolsviewcontroller>},
      {"obconformer", "obconformer", 2, makeToolPane<obconformerviewcontroller>},
      {"obconfab", "obconfab", 5, makeToolPane<obconfabviewcontroller>},
      {"obenergy", "obenergy", 3, kNotBuiltYet},
      {"obfit", "obfit", 4, kNotBuiltYet},
      {"obgen", "obgen", 6, makeToolPane<obgenviewcontroller>},
      {"obminimise", "obminimise", 7, kNotBuiltYet},
      {"obprobe", "obprobe", 8, kNotBuiltYet},
      {"obprop", "obprop", 9, kNotBuiltYet},
      {"obrms", "obrms", 13, kNotBuiltYet},
      {"obrotate", "obrotate", 10, makeToolPane<obrotateviewcontroller>},
      {"obsym", "obsym", 11, kNotBuiltYet},
      {"obtautomer", "obtautomer", 12, makeToolPane<obtautomerviewcontroller>},
      {"obthermo", "obthermo", 14, kNotBuiltYet},
      {"obspectrophore", "obspectrophore", 15, kNotBuiltYet},
  }};
  return rows;
}

void registerToolScenes() {
  auto& registry = platform::SceneRegistry::shared();
  registry.add("ToolsController", makeToolPane<ToolsController>);
  registry.add(kNotBuiltYetIdentifier, makeToolPane<ToolNotBuiltYet>);
  for (const auto& row : toolPanes())
    if (row.factory) registry.add(row.identifier, row.factory);
}

}  // namespace molbench
