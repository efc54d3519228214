// A pane with one outlet of every kind and a few actions, for testing the loader and the
// adapters with layouts written in the test.
#pragma once

#include <QByteArray>
#include <string>
#include <utility>
#include <vector>

#include "platform/Bindings.h"

namespace molbench::qttest {

class ProbePane : public platform::BoundViewController<ProbePane> {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<ProbePane>& bindings();

  platform::Outlet<platform::TextField> nameField;
  platform::Outlet<platform::TextField> commandField;
  platform::Outlet<platform::PopUpButton> formats;
  platform::Outlet<platform::Button> keepCheck;
  platform::Outlet<platform::Button> firstRadio;
  platform::Outlet<platform::Button> secondRadio;
  platform::Outlet<platform::Button> runButton;
  platform::Outlet<platform::TextView> log;
  platform::Outlet<platform::WebView> page;
  platform::Outlet<platform::View> container;
  platform::Outlet<platform::TableView> table;
  platform::Outlet<platform::ArrayController> rows;

  // Each action received: its selector and its sender.
  std::vector<std::pair<std::string, platform::Control*>> received;
  void formatChosen(platform::Control* sender) { received.emplace_back("formatChosen:", sender); }
  void run(platform::Control* sender) { received.emplace_back("run:", sender); }
  void rowClicked(platform::Control* sender) { received.emplace_back("rowClicked:", sender); }
};

// A layout holding every outlet of ProbePane, rightly made.
QByteArray probeLayout();

// A layout text of the top widget "ProbePane" whose column holds the given widget elements.
QByteArray layoutWith(const std::vector<std::string>& widgets, const std::string& extra = "");
std::string widgetElement(const std::string& className, const std::string& name,
                          const std::string& properties = "");
std::string stringProperty(const std::string& name, const std::string& value);

}  // namespace molbench::qttest
