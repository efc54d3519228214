#include "qt/QtTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

namespace molbench::qt {

RowTableModel::RowTableModel(QStringList columnKeys, QObject* parent)
    : QAbstractTableModel(parent), keys_(std::move(columnKeys)) {}

void RowTableModel::setColumnKeys(const QStringList& keys) {
  beginResetModel();
  keys_ = keys;
  endResetModel();
}

void RowTableModel::append(const platform::Row& row) {
  int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at);
  rows_.push_back(row);
  endInsertRows();
}

void RowTableModel::replace(const std::vector<platform::Row>& rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int RowTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
  // One column even before a table names its keys, so the filter proxy maps every row.
  if (parent.isValid()) return 0;
  return keys_.isEmpty() ? 1 : static_cast<int>(keys_.size());
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  if (index.row() >= rowCount() || index.column() >= keys_.size()) return {};
  const auto& row = rows_[static_cast<size_t>(index.row())];
  auto found = row.find(keys_[index.column()].toStdString());
  return found == row.end() ? QVariant() : QVariant(QString::fromStdString(found->second));
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
      section < keys_.size())
    return keys_[section];
  return QAbstractTableModel::headerData(section, orientation, role);
}

void RowFilterProxy::setRowFilter(std::function<bool(const platform::Row&)> filter) {
  filter_ = std::move(filter);
  invalidateFilter();
}

bool RowFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (!filter_) return true;
  auto* model = static_cast<const RowTableModel*>(sourceModel());
  return filter_(model->rows()[static_cast<size_t>(sourceRow)]);
}

QtArrayController::QtArrayController()
    : model_(std::make_unique<RowTableModel>()), proxy_(std::make_unique<RowFilterProxy>()) {
  proxy_->setSourceModel(model_.get());
}

void QtArrayController::addObject(const platform::Row& row) { model_->append(row); }

std::vector<platform::Row> QtArrayController::content() const { return model_->rows(); }

void QtArrayController::setContent(const std::vector<platform::Row>& rows) {
  model_->replace(rows);
}

void QtArrayController::setFilter(std::function<bool(const platform::Row&)> filter) {
  proxy_->setRowFilter(std::move(filter));
}

std::vector<platform::Row> QtArrayController::arrangedObjects() const {
  std::vector<platform::Row> shown;
  for (int row = 0; row < proxy_->rowCount(); ++row) {
    int source = proxy_->mapToSource(proxy_->index(row, 0)).row();
    shown.push_back(model_->rows()[static_cast<size_t>(source)]);
  }
  return shown;
}

void QtArrayController::bind(QTableView* table, const QStringList& columnKeys) {
  model_->setColumnKeys(columnKeys);
  if (table) table->setModel(proxy_.get());
}

QtTableView::QtTableView(QTableView* table)
    : table_(table), clickedRow_(std::make_shared<int>(-1)) {
  if (!table) return;
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Connected before any action of the layout, so the pane reads the row that was clicked.
  QObject::connect(table, &QAbstractItemView::clicked, table,
                   [clicked = clickedRow_](const QModelIndex& index) { *clicked = index.row(); });
}

void QtTableView::reloadData() {
  if (table_) table_->viewport()->update();
}

std::vector<int> QtTableView::selectedRowIndexes() const {
  std::vector<int> rows;
  if (!table_ || !table_->selectionModel()) return rows;
  for (const auto& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int QtTableView::selectedRow() const {
  auto rows = selectedRowIndexes();
  return rows.empty() ? -1 : rows.front();
}

}  // namespace molbench::qt
