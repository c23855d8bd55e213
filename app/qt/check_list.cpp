#include "app/qt/check_list.h"

#include <QDialog>
#include <QListWidget>
#include <QVBoxLayout>

namespace app {

std::string showCheckList(QWidget* parent, const std::vector<check::CheckLine>& lines) {
  QDialog dialog(parent);
  dialog.setObjectName("BeyannameKontrolu");
  dialog.setWindowTitle(QString::fromUtf8(check::kCheckWindowTitle));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("Findings");
  list->setWordWrap(true);
  if (lines.empty()) list->addItem(QString::fromUtf8(check::kNoFindings));
  for (const check::CheckLine& line : lines) list->addItem(QString::fromUtf8(line.text));
  list->setCurrentRow(0);
  std::string chosen;
  QObject::connect(list, &QListWidget::itemActivated, &dialog, [&](QListWidgetItem* item) {
    const int row = list->row(item);
    if (row >= 0 && row < int(lines.size())) chosen = lines[std::size_t(row)].field;
    dialog.accept();
  });
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  dialog.resize(640, 360);
  dialog.exec();
  return chosen;
}

}  // namespace app
