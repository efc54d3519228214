#include "tools/ToolPanes.h"

#include "platform/SceneRegistry.h"
#include "tools/ToolsController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obconformerviewcontroller.h"
#include "tools/obenergyviewcontroller.h"
#include "tools/obfitviewcontroller.h"
#include "tools/obgenviewcontroller.h"
#include "tools/obminimiseviewcontroller.h"
#include "tools/obprobeviewcontroller.h"
#include "tools/obpropviewcontroller.h"
#include "tools/obrmsdviewcontroller.h"
#include "tools/obrotateviewcontroller.h"
#include "tools/obspectrophoreviewcontroller.h"
#include "tools/obsymviewcontroller.h"
#include "tools/obtautomerviewcontroller.h"
#include "tools/obthermoviewcontroller.h"
#include "tools/obtoolsviewcontroller.h"

namespace molbench {

const std::array<ToolPaneRow, kToolPaneCount>& toolPanes() {
  static const std::array<ToolPaneRow, kToolPaneCount> rows{{
      {"Choose", "obtoolsblank", 1, makeToolPane<obtoolsviewcontroller>},
      {"obconformer", "obconformer", 2, makeToolPane<obconformerviewcontroller>},
      {"obconfab", "obconfab", 5, makeToolPane<obconfabviewcontroller>},
      {"obenergy", "obenergy", 3, makeToolPane<obenergyviewcontroller>},
      {"obfit", "obfit", 4, makeToolPane<obfitviewcontroller>},
      {"obgen", "obgen", 6, makeToolPane<obgenviewcontroller>},
      {"obminimise", "obminimise", 7, makeToolPane<obminimiseviewcontroller>},
      {"obprobe", "obprobe", 8, makeToolPane<obprobeviewcontroller>},
      {"obprop", "obprop", 9, makeToolPane<obpropviewcontroller>},
      {"obrms", "obrms", 13, makeToolPane<obrmsdviewcontroller>},
      {"obrotate", "obrotate", 10, makeToolPane<obrotateviewcontroller>},
      {"obsym", "obsym", 11, makeToolPane<obsymviewcontroller>},
      {"obtautomer", "obtautomer", 12, makeToolPane<obtautomerviewcontroller>},
      {"obthermo", "obthermo", 14, makeToolPane<obthermoviewcontroller>},
      {"obspectrophore", "obspectrophore", 15, makeToolPane<obspectrophoreviewcontroller>},
  }};
  return rows;
}

void registerToolScenes() {
  auto& registry = platform::SceneRegistry::shared();
  registry.add("ToolsController", makeToolPane<ToolsController>);
  for (const auto& row : toolPanes())
    registry.add(row.identifier, row.factory);
}

}  // namespace molbench
