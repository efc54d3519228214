// Registers every scene of the layout "Main" with the scene registry.
#pragma once

namespace molbench {

void registerScenes();

}  // namespace molbench
