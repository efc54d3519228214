#include "ProbePane.h"

namespace molbench::qttest {

const platform::Bindings<ProbePane>& ProbePane::bindings() {
  static const auto table = platform::Bindings<ProbePane>()
                                .outlet("nameField", &ProbePane::nameField)
                                .outlet("commandField", &ProbePane::commandField)
                                .outlet("formats", &ProbePane::formats)
                                .outlet("keepCheck", &ProbePane::keepCheck)
                                .outlet("firstRadio", &ProbePane::firstRadio)
                                .outlet("secondRadio", &ProbePane::secondRadio)
                                .outlet("runButton", &ProbePane::runButton)
                                .outlet("log", &ProbePane::log)
                                .outlet("page", &ProbePane::page)
                                .outlet("container", &ProbePane::container)
                                .outlet("table", &ProbePane::table)
                                .outlet("rows", &ProbePane::rows)
                                .action("formatChosen:", &ProbePane::formatChosen, {"formats"})
                                .action("run:", &ProbePane::run)
                                .action("rowClicked:", &ProbePane::rowClicked, {"table"});
  return table;
}

std::string stringProperty(const std::string& name, const std::string& value) {
  return "<property name=\"" + name + "\" stdset=\"0\"><string>" + value + "</string></property>";
}

std::string widgetElement(const std::string& className, const std::string& name,
                          const std::string& properties) {
  return "<item><widget class=\"" + className + "\" name=\"" + name + "\">" + properties +
         "</widget></item>";
}

QByteArray layoutWith(const std::vector<std::string>& widgets, const std::string& extra) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ui version=\"4.0\"><class>ProbePane</class>"
      "<widget class=\"QWidget\" name=\"ProbePane\"><layout class=\"QVBoxLayout\" "
      "name=\"column\">";
  for (const auto& widget : widgets) text += widget;
  text += "</layout>" + extra + "</widget></ui>";
  return QByteArray::fromStdString(text);
}

QByteArray probeLayout() {
  const std::string checkable = "<property name=\"checkable\"><bool>true</bool></property>";
  return layoutWith(
      {widgetElement("QLineEdit", "nameField"), widgetElement("QPlainTextEdit", "commandField"),
       widgetElement("QComboBox", "formats", stringProperty("action", "formatChosen:")),
       widgetElement("QCheckBox", "keepCheck", stringProperty("action", "run:")),
       widgetElement("QRadioButton", "firstRadio"), widgetElement("QRadioButton", "secondRadio"),
       widgetElement("QPushButton", "runButton", stringProperty("action", "run:")),
       widgetElement("QPlainTextEdit", "log"), widgetElement("QWidget", "page"),
       widgetElement("QWidget", "container"),
       widgetElement("QTableView", "table",
                     stringProperty("action", "rowClicked:") + stringProperty("content", "rows") +
                         stringProperty("columns", "molNumber,molName")),
       widgetElement("QPushButton", "toggle", checkable)},
      "<action name=\"runAction\"><property name=\"text\"><string>Run</string></property>" +
          stringProperty("action", "run:") + "</action>");
}

}  // namespace molbench::qttest
