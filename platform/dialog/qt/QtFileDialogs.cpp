#include "platform/dialog/qt/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

#include "platform/dialog/qt/QtNameFilter.h"
#include "platform/dialog/qt/ExecutableFilesFilter.h"

namespace {

QString StartDirectory(const char* initialDirectory) {
  const QString directory = QString::fromUtf8(initialDirectory ? initialDirectory : "");
  return !directory.isEmpty() && QFileInfo(directory).isDir() ? directory : QDir::currentPath();
}

}  // namespace

bool QtFileDialogs::Choose(const FileDialogRequest& request, std::string& chosenPath) {
  QFileDialog dialog(QApplication::activeModalWidget());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(request.openDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.openDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & FileDialogFlag::kOverwritePrompt));
  if (request.defaultExtension) dialog.setDefaultSuffix(QString::fromUtf8(request.defaultExtension));
  dialog.setDirectory(StartDirectory(request.initialDirectory));

  const std::vector<FileDialogChoice> choices = FileDialogChoices(request.filter);
  QStringList nameFilters;
  for (const auto& choice : choices) nameFilters << QString::fromUtf8(QtNameFilter(choice));
  if (!choices.empty()) {
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.front());
  }
  const bool listsPrograms =
      std::any_of(choices.begin(), choices.end(), [](const FileDialogChoice& choice) { return choice.executables; });
  if (listsPrograms) {
    auto* programs = new ExecutableFilesFilter(&dialog);
    dialog.setProxyModel(programs);  // the dialog owns it from here
    programs->Apply(choices.front());
    QObject::connect(&dialog, &QFileDialog::filterSelected, programs,
                     [programs, choices, nameFilters](const QString& name) {
                       const auto index = nameFilters.indexOf(name);
                       if (index >= 0) programs->Apply(choices[index]);
                     });
  }
  if (request.fileName) dialog.selectFile(QString::fromUtf8(request.fileName));

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  chosenPath = dialog.selectedFiles().front().toUtf8().toStdString();
  return true;
}
