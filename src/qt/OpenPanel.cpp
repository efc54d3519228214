#include "qt/OpenPanel.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FileUrl.h"
#include "platform/OpenPanelChoice.h"

namespace molbench::qt {

QString nameFilterFor(const std::vector<std::string>& extensions) {
  QStringList patterns;
  for (const auto& extension : extensions)
    patterns << QStringLiteral("*.") + QString::fromStdString(extension);
  return QStringLiteral("Allowed files (") + patterns.join(' ') + QStringLiteral(")");
}

OpenPanel::OpenPanel(const platform::OpenPanelRequest& request, QWidget* parent)
    : QFileDialog(parent), request_(request) {
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
}

void OpenPanel::accept() {
  QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  QFileInfo chosen(files.first());
  if (!chosen.exists()) {
    QFileDialog::accept();  // the dialog explains that the item does not exist
    return;
  }
  std::string path = chosen.absoluteFilePath().toStdString();
  if (!platform::openPanelAllows(request_, path)) {
    // A folder that cannot be the answer is entered; a file of another kind is refused, even
    // when its name was typed past the name filter.
    if (chosen.isDir()) setDirectory(chosen.absoluteFilePath());
    return;
  }
  chosen_ = platform::FileUrl::fromPath(path).path();
  QDialog::accept();
}

std::optional<std::string> OpenPanel::run(const platform::OpenPanelRequest& request,
                                          QWidget* parent) {
  OpenPanel panel(request, parent);
  if (panel.exec() != QDialog::Accepted) return std::nullopt;
  return panel.chosenPath();
}

}  // namespace molbench::qt
