// Tables: the array controller keeps the rows in a model and filters them through a proxy;
// a QTableView shows the proxy's rows, so positions in the table are positions among the
// rows the filter lets through.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Control.h"

namespace molbench::qt {

class RowTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RowTableModel(QStringList columnKeys = {}, QObject* parent = nullptr);

  // The headings name the columns for the reader; a column without one shows its key.
  void setColumnKeys(const QStringList& keys, const QStringList& headings = {});
  const std::vector<platform::Row>& rows() const { return rows_; }
  void append(const platform::Row& row);
  void append(std::vector<platform::Row> rows);
  void replace(const std::vector<platform::Row>& rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QStringList keys_;
  QStringList headings_;
  std::vector<platform::Row> rows_;
};

class RowFilterProxy : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void setRowFilter(std::function<bool(const platform::Row&)> filter);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  std::function<bool(const platform::Row&)> filter_;
};

class QtArrayController : public platform::ArrayController {
 public:
  QtArrayController();
  void addObject(const platform::Row& row) override;
  void addObjects(std::vector<platform::Row> rows) override;
  std::vector<platform::Row> content() const override;
  void setContent(const std::vector<platform::Row>& rows) override;
  void setFilter(std::function<bool(const platform::Row&)> filter) override;
  std::vector<platform::Row> arrangedObjects() const override;
  size_t arrangedCount() const override;
  std::optional<platform::Row> arrangedObjectAt(size_t index) const override;

  // Shows the arranged rows in the table, one column per key, under the headings.
  void bind(QTableView* table, const QStringList& columnKeys, const QStringList& headings = {});
  RowFilterProxy* arranged() const { return proxy_.get(); }

 private:
  std::unique_ptr<RowTableModel> model_;
  std::unique_ptr<RowFilterProxy> proxy_;
};

// Rows are selected whole, several at a time. A click sends the table's action: on a row the
// clicked row is that row; below the last row it is -1 (the selection has been cleared or kept
// by Qt's rules first).
class QtTableView : public platform::TableView {
 public:
  explicit QtTableView(QTableView* table);
  void reloadData() override;
  int selectedRow() const override;
  int clickedRow() const override { return *clickedRow_; }
  std::vector<int> selectedRowIndexes() const override;
  size_t numberOfSelectedRows() const override;
  void deselectAll() override;
  QTableView* widget() const { return table_; }

  // Calls send after each click, once the clicked row is known.
  void sendOnClicks(std::function<void()> send);

 private:
  QPointer<QTableView> table_;
  // Shared with the click handlers, which may outlive this adapter.
  std::shared_ptr<int> clickedRow_;
};

}  // namespace molbench::qt
