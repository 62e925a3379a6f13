#pragma once
// A file dialog's view model filter for a choice that lists programs: on
// Linux a program is any file the user may run, whatever its name (the
// Windows "*.exe"). Folders stay, to move through; so do the files that the
// choice's other patterns name. For the other choices it lets everything through.

#include <QSortFilterProxyModel>
#include <QStringList>

#include "platform/dialog/FileDialogFilter.h"

class ExecutableFilesFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  // The choice now in force in the dialog.
  void Apply(const FileDialogChoice& choice);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  bool executablesOnly_ = false;
  QStringList otherPatterns_;
};
