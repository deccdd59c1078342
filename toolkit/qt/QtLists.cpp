// Lists of the Qt toolkit: list boxes, drop-down lists and list views. Rows
// are counted from 0; -1 is none. Changes the program makes send no event.
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "toolkit/ToolkitTexts.h"
#include "toolkit/qt/CharGrid.h"
#include "toolkit/qt/QtToolkit.h"

namespace quorbel::ui {

namespace {

QStringList ItemsOf(const std::string& text) {
  QStringList items;
  for (const std::string& item : SplitItems(text)) items << ToQt(item);
  return items;
}

QTreeWidget* MakeListView(QWidget* parent, const std::string& titles) {
  auto* view = new QTreeWidget(parent);
  const std::vector<ListViewColumn> columns = ReadListViewColumns(titles);
  view->setColumnCount(static_cast<int>(columns.size()));
  QStringList headers;
  for (const ListViewColumn& column : columns) headers << ToQt(column.title);
  view->setHeaderLabels(headers);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    view->setColumnWidth(static_cast<int>(i), ColumnsToPixels(columns[i].width));
  }
  view->header()->setStretchLastSection(false);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  return view;
}

int RowCount(const QWidget* widget) {
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->count();
  if (auto* list = qobject_cast<const QListWidget*>(widget)) return list->count();
  if (auto* view = qobject_cast<const QTreeWidget*>(widget)) return view->topLevelItemCount();
  return 0;
}

QString Cell(const QWidget* widget, int row, int column) {
  if (row < 0 || row >= RowCount(widget) || column < 0) return {};
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
    return column == 0 ? combo->itemText(row) : QString();
  }
  if (auto* list = qobject_cast<const QListWidget*>(widget)) {
    return column == 0 ? list->item(row)->text() : QString();
  }
  return static_cast<const QTreeWidget*>(widget)->topLevelItem(row)->text(column);
}

bool RowSelected(const QWidget* widget, int row) {
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentIndex() == row;
  if (auto* list = qobject_cast<const QListWidget*>(widget)) return list->item(row)->isSelected();
  return static_cast<const QTreeWidget*>(widget)->topLevelItem(row)->isSelected();
}

}  // namespace

QWidget* QtToolkit::MakeListWidget(QtForm& form, const ControlDefinition& definition) {
  QWidget* parent = form.window->Client();
  const QWidget* window = form.window;
  auto changed = [this, window, id = definition.id](int row) {
    if (row >= 0) DeliverFrom(window, id, kChanged, row);
  };
  if (definition.kind == ControlKind::ComboBox) {
    auto* combo = new QComboBox(parent);
    combo->addItems(ItemsOf(definition.text));
    combo->setCurrentIndex(-1);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, changed);
    return combo;
  }
  if (definition.kind == ControlKind::ListBox) {
    auto* list = new QListWidget(parent);
    list->addItems(ItemsOf(definition.text));
    QObject::connect(list, &QListWidget::currentRowChanged, list, changed);
    return list;
  }
  QTreeWidget* view = MakeListView(parent, definition.text);
  QObject::connect(view, &QTreeWidget::currentItemChanged, view,
                   [view, changed](QTreeWidgetItem* item) {
                     if (item != nullptr) changed(view->indexOfTopLevelItem(item));
                   });
  return view;
}

void QtToolkit::ClearItems(const std::string& form, int id) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return;
    const QSignalBlocker quiet(c->widget);
    if (auto* combo = qobject_cast<QComboBox*>(c->widget)) combo->clear();
    if (auto* list = qobject_cast<QListWidget*>(c->widget)) list->clear();
    if (auto* view = qobject_cast<QTreeWidget*>(c->widget)) view->clear();
  });
}

void QtToolkit::AddItems(const std::string& form, int id, const std::string& itemsBarSeparated) {
  AppendItems(form, id, ItemsOf(itemsBarSeparated));
}

void QtToolkit::AddItem(const std::string& form, int id, const std::string& text) {
  AppendItems(form, id, QStringList{ToQt(text)});
}

void QtToolkit::AppendItems(const std::string& form, int id, const QStringList& items) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return;
    const QSignalBlocker quiet(c->widget);
    if (auto* combo = qobject_cast<QComboBox*>(c->widget)) {
      const int selected = combo->currentIndex();
      combo->addItems(items);
      combo->setCurrentIndex(selected);  // adding to an empty list selects nothing
    }
    if (auto* list = qobject_cast<QListWidget*>(c->widget)) list->addItems(items);
    if (auto* view = qobject_cast<QTreeWidget*>(c->widget)) {
      for (const QString& item : items) view->addTopLevelItem(new QTreeWidgetItem({item}));
    }
  });
}

void QtToolkit::AddListViewItem(const std::string& form, int id, int row, int column,
                                const std::string& text) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    auto* view = c != nullptr ? qobject_cast<QTreeWidget*>(c->widget) : nullptr;
    if (view == nullptr || column < 0) return;
    const QSignalBlocker quiet(view);
    if (column == 0) {
      const int at = std::clamp(row, 0, view->topLevelItemCount());
      view->insertTopLevelItem(at, new QTreeWidgetItem({ToQt(text)}));
    } else if (row >= 0 && row < view->topLevelItemCount()) {
      view->topLevelItem(row)->setText(column, ToQt(text));
    }
  });
}

void QtToolkit::SelectItem(const std::string& form, int id, int index) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return;
    const QSignalBlocker quiet(c->widget);
    const int row = index >= 0 && index < RowCount(c->widget) ? index : -1;
    if (auto* combo = qobject_cast<QComboBox*>(c->widget)) combo->setCurrentIndex(row);
    if (auto* list = qobject_cast<QListWidget*>(c->widget)) {
      list->clearSelection();
      list->setCurrentRow(row);
    }
    if (auto* view = qobject_cast<QTreeWidget*>(c->widget)) {
      view->clearSelection();
      view->setCurrentItem(row >= 0 ? view->topLevelItem(row) : nullptr);
    }
  });
}

int QtToolkit::LastItem(const std::string& form, int id) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    return c != nullptr ? RowCount(c->widget) - 1 : -1;
  });
}

int QtToolkit::FindItem(const std::string& form, int id, const std::string& text) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return -1;
    const QString wanted = ToQt(text);
    for (int row = 0; row < RowCount(c->widget); ++row) {
      if (Cell(c->widget, row, 0).compare(wanted, Qt::CaseInsensitive) == 0) return row;
    }
    return -1;
  });
}

int QtToolkit::NextSelected(const std::string& form, int id, int after) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return -1;
    for (int row = std::max(after + 1, 0); row < RowCount(c->widget); ++row) {
      if (RowSelected(c->widget, row)) return row;
    }
    return -1;
  });
}

std::string QtToolkit::ItemText(const std::string& form, int id, int index, int column) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    return c != nullptr ? FromQt(Cell(c->widget, index, column)) : std::string();
  });
}

}  // namespace quorbel::ui
