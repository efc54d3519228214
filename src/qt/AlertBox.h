// Alerts as QMessageBox: the style picks the icon, the buttons keep their order and the first
// one is the default.
#pragma once

#include <QMessageBox>
#include <memory>

#include "platform/Services.h"

namespace molbench::qt {

std::unique_ptr<QMessageBox> makeAlertBox(const platform::AlertRequest& request,
                                          QWidget* parent = nullptr);

// The 0-based index of the button that closed the box; closing it otherwise counts as the
// last button (the one Escape presses).
int pressedButton(const QMessageBox& box);

// Runs the alert modally and answers pressedButton.
int runAlertBox(const platform::AlertRequest& request, QWidget* parent = nullptr);

}  // namespace molbench::qt
