// Puts a scene of the layout into a container widget: the registry makes the pane, the pane
// loads its view, and the view replaces whatever placeholder the container showed.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/ViewController.h"

namespace molbench::qt {

// The pane now shown in the container; null (and the container untouched) when the registry
// has no such scene.
std::shared_ptr<platform::ViewController> hostScene(const std::string& identifier,
                                                    platform::Platform& platform,
                                                    QWidget* container);

// The widget of a pane's view (loading it if need be); null when it has none.
QWidget* viewWidget(platform::ViewController& pane);

}  // namespace molbench::qt
