#include "qt/QtTable.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <iterator>

namespace molbench::qt {

RowTableModel::RowTableModel(QStringList columnKeys, QObject* parent)
    : QAbstractTableModel(parent), keys_(std::move(columnKeys)) {}

void RowTableModel::setColumnKeys(const QStringList& keys, const QStringList& headings) {
  beginResetModel();
  keys_ = keys;
  headings_ = headings;
  endResetModel();
}

void RowTableModel::append(const platform::Row& row) {
  int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at);
  rows_.push_back(row);
  endInsertRows();
}

void RowTableModel::append(std::vector<platform::Row> rows) {
  if (rows.empty()) return;
  int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
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
    return section < headings_.size() ? headings_[section] : keys_[section];
  return QAbstractTableModel::headerData(section, orientation, role);
}

void RowFilterProxy::setRowFilter(std::function<bool(const platform::Row&)> filter) {
  // A reset rather than an invalidation: the rows a new filter hides are scattered, and
  // reporting each run of them to the view costs far more than showing the rows afresh.
  beginResetModel();
  filter_ = std::move(filter);
  endResetModel();
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

void QtArrayController::addObjects(std::vector<platform::Row> rows) {
  model_->append(std::move(rows));
}

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

size_t QtArrayController::arrangedCount() const { return static_cast<size_t>(proxy_->rowCount()); }

std::optional<platform::Row> QtArrayController::arrangedObjectAt(size_t index) const {
  if (index >= arrangedCount()) return std::nullopt;
  int source = proxy_->mapToSource(proxy_->index(static_cast<int>(index), 0)).row();
  if (source < 0) return std::nullopt;
  return model_->rows()[static_cast<size_t>(source)];
}

void QtArrayController::bind(QTableView* table, const QStringList& columnKeys,
                             const QStringList& headings) {
  model_->setColumnKeys(columnKeys, headings);
  if (table) table->setModel(proxy_.get());
}

namespace {

// Sees releases below the last row, which QAbstractItemView::clicked never reports.
class EmptyAreaClicks : public QObject {
 public:
  EmptyAreaClicks(QTableView* table, std::shared_ptr<int> clickedRow, std::function<void()> send)
      : QObject(table), table_(table), clickedRow_(std::move(clickedRow)), send_(std::move(send)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!table_->indexAt(mouse->position().toPoint()).isValid()) {
        // After the view has handled the release, so the selection is final.
        QTimer::singleShot(0, this, [this] {
          *clickedRow_ = -1;
          send_();
        });
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QTableView* table_;
  std::shared_ptr<int> clickedRow_;
  std::function<void()> send_;
};

}  // namespace

QtTableView::QtTableView(QTableView* table)
    : table_(table), clickedRow_(std::make_shared<int>(-1)) {
  if (!table) return;
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Rows of one fixed height, so a table of many rows scrolls without measuring each.
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->setWordWrap(false);
}

void QtTableView::sendOnClicks(std::function<void()> send) {
  if (!table_) return;
  QObject::connect(table_, &QAbstractItemView::clicked, table_,
                   [clicked = clickedRow_, send](const QModelIndex& index) {
                     *clicked = index.row();
                     send();
                   });
  table_->viewport()->installEventFilter(new EmptyAreaClicks(table_, clickedRow_, send));
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

size_t QtTableView::numberOfSelectedRows() const {
  if (!table_ || !table_->selectionModel()) return 0;
  // Counted from the selected ranges: selecting every row of a large table stays cheap.
  size_t count = 0;
  for (const auto& range : table_->selectionModel()->selection())
    if (range.left() == 0) count += static_cast<size_t>(range.height());
  return count;
}

void QtTableView::deselectAll() {
  if (table_) table_->clearSelection();
}

int QtTableView::selectedRow() const {
  auto rows = selectedRowIndexes();
  return rows.empty() ? -1 : rows.front();
}

}  // namespace molbench::qt
