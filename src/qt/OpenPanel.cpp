#include "qt/OpenPanel.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FileUrl.h"

namespace molbench::qt {

QString nameFilterFor(const std::vector<std::string>& extensions) {
  QStringList patterns;
  for (const auto& extension : extensions)
    patterns << QStringLiteral("*.") + QString::fromStdString(extension);
  return QStringLiteral("Allowed files (") + patterns.join(' ') + QStringLiteral(")");
}

OpenPanel::OpenPanel(const platform::OpenPanelRequest& request, QWidget* parent)
    : QFileDialog(parent) {
  setOption(QFileDialog::DontUseNativeDialog, true);
  setWindowTitle(QString::fromStdString(request.title));
  setAcceptMode(QFileDialog::AcceptOpen);
  // One item. ExistingFile lists files and folders alike; accept() lets a folder be the answer.
  setFileMode(QFileDialog::ExistingFile);
  setOption(QFileDialog::ReadOnly, !request.canCreateDirectories);
  setSizeGripEnabled(request.showsResizeIndicator);
  QDir::Filters filters = QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot;
  if (request.showsHiddenFiles) filters |= QDir::Hidden;
  setFilter(filters);
  if (request.allowedFileTypes && !request.allowedFileTypes->empty())
    setNameFilter(nameFilterFor(*request.allowedFileTypes));
  canChooseFiles_ = request.canChooseFiles;
  canChooseDirectories_ = request.canChooseDirectories;
}

void OpenPanel::accept() {
  QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  QFileInfo chosen(files.first());
  if (!chosen.exists()) {
    QFileDialog::accept();  // the dialog explains that the item does not exist
    return;
  }
  bool folder = chosen.isDir();
  if ((folder && !canChooseDirectories_) || (!folder && !canChooseFiles_)) {
    if (folder) setDirectory(chosen.absoluteFilePath());
    return;
  }
  chosen_ = platform::FileUrl::fromPath(chosen.absoluteFilePath().toStdString()).path();
  QDialog::accept();
}

std::optional<std::string> OpenPanel::run(const platform::OpenPanelRequest& request,
                                          QWidget* parent) {
  OpenPanel panel(request, parent);
  if (panel.exec() != QDialog::Accepted) return std::nullopt;
  return panel.chosenPath();
}

}  // namespace molbench::qt
