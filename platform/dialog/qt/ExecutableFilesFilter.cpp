#include "platform/dialog/qt/ExecutableFilesFilter.h"

#include <QDir>
#include <QFileSystemModel>

void ExecutableFilesFilter::Apply(const FileDialogChoice& choice) {
  executablesOnly_ = choice.executables;
  otherPatterns_.clear();
  for (const auto& pattern : choice.patterns) otherPatterns_ << QString::fromUtf8(pattern);
  invalidateFilter();
}

bool ExecutableFilesFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (!executablesOnly_ || !files) return true;
  const QModelIndex entry = files->index(sourceRow, 0, sourceParent);
  if (files->isDir(entry)) return true;
  const QFileInfo info = files->fileInfo(entry);
  return info.isExecutable() || QDir::match(otherPatterns_, info.fileName());
}
