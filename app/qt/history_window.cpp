#include "app/qt/history_window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

std::optional<period::Version> showHistory(QWidget* parent, const HistoryView& view,
                                           const form::Form& form) {
  QDialog dialog(parent);
  dialog.setObjectName("BeyannameGecmisi");
  dialog.setWindowTitle(QString::fromUtf8(kHistoryWindowTitle));
  auto* versions = new QListWidget(&dialog);
  versions->setObjectName("Versions");
  auto* differences = new QListWidget(&dialog);
  differences->setObjectName("Differences");
  differences->setFocusPolicy(Qt::NoFocus);
  auto* restore = new QPushButton(QString::fromUtf8(kRestoreButton), &dialog);
  restore->setObjectName("Restore");
  restore->setAutoDefault(false);
  restore->setEnabled(!view.versions.empty());
  if (view.versions.empty()) versions->addItem(QString::fromUtf8(kNoVersions));
  for (const std::string& label : view.labels) versions->addItem(QString::fromUtf8(label));

  const auto showDifferences = [&](int row) {
    differences->clear();
    if (row < 0 || row >= int(view.versions.size())) return;
    const auto lines = differencesOf(view.versions[std::size_t(row)], form);
    if (lines.empty()) differences->addItem(QString::fromUtf8(kNoDifferences));
    for (const std::string& line : lines) differences->addItem(QString::fromUtf8(line));
  };
  QObject::connect(versions, &QListWidget::currentRowChanged, &dialog, showDifferences);
  std::optional<period::Version> chosen;
  const auto choose = [&] {
    const int row = versions->currentRow();
    if (row < 0 || row >= int(view.versions.size())) return;
    chosen = view.versions[std::size_t(row)];
    dialog.accept();
  };
  QObject::connect(versions, &QListWidget::itemActivated, &dialog, choose);
  QObject::connect(restore, &QPushButton::clicked, &dialog, choose);
  versions->setCurrentRow(0);
  showDifferences(0);

  auto* lists = new QHBoxLayout;
  lists->addWidget(versions, 1);
  lists->addWidget(differences, 2);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(lists);
  layout->addWidget(restore, 0, Qt::AlignRight);
  dialog.resize(820, 420);
  versions->setFocus();
  dialog.exec();
  return chosen;
}

}  // namespace app
