// The open panel: Qt's own file dialog, set up so that one file or one folder can be chosen
// (a folder is chosen by selecting it and pressing Open; double-clicking enters it).
#pragma once

#include <QFileDialog>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace molbench::qt {

class OpenPanel : public QFileDialog {
  Q_OBJECT
 public:
  explicit OpenPanel(const platform::OpenPanelRequest& request, QWidget* parent = nullptr);

  // The chosen item's path without a trailing "/"; nothing until the panel was accepted.
  std::optional<std::string> chosenPath() const { return chosen_; }

  // Runs the panel modally.
  static std::optional<std::string> run(const platform::OpenPanelRequest& request,
                                        QWidget* parent = nullptr);

 public slots:
  void accept() override;

 private:
  platform::OpenPanelRequest request_;
  std::optional<std::string> chosen_;
};

// "Allowed files (*.sdf *.mol)" for {"sdf", "mol"}.
QString nameFilterFor(const std::vector<std::string>& extensions);

}  // namespace molbench::qt
