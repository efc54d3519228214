// In-memory controls: tests set and read them as a user would see them.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Control.h"

namespace molbench::headless {

using platform::ControlState;
using platform::Rect;
using platform::Row;

class View : public platform::View {
 public:
  std::vector<std::shared_ptr<platform::View>> subviews() const override;
  void addSubview(const std::shared_ptr<platform::View>& view) override;
  void removeFromSuperview() override;
  Rect frame() const override { return frame_; }
  void setFrame(const Rect& frame) override { frame_ = frame; }
  Rect bounds() const override { return {0, 0, frame_.width, frame_.height}; }

 private:
  std::vector<std::shared_ptr<platform::View>> subviews_;
  View* superview_ = nullptr;
  Rect frame_{0, 0, 800, 600};
};

class TextField : public platform::TextField {
 public:
  std::string text() const override { return text_; }
  void setText(const std::string& text) override { text_ = text; }
  void setPlaceholder(const std::string& placeholder) override { placeholder_ = placeholder; }
  std::string placeholder() const override { return placeholder_; }

 private:
  std::string text_;
  std::string placeholder_;
};

class PopUpButton : public platform::PopUpButton {
 public:
  void removeAllItems() override;
  void addItemsWithTitles(const std::vector<std::string>& titles) override;
  void selectItemAtIndex(int index) override;
  std::vector<std::string> itemTitles() const override { return titles_; }
  int indexOfSelectedItem() const override { return selected_; }

 private:
  std::vector<std::string> titles_;
  int selected_ = -1;
};

class Button : public platform::Button {
 public:
  ControlState state() const override { return state_; }
  void setState(ControlState state) override { state_ = state; }

 private:
  ControlState state_ = ControlState::Off;
};

// Appends may come from URL-session threads, so the text is guarded.
class TextView : public platform::TextView {
 public:
  std::string text() const override;
  void setText(const std::string& text) override;
  void appendText(const std::string& text) override;

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

class WebView : public platform::WebView {
 public:
  struct Load {
    std::string url;
    std::string readAccessUrl;  // empty for a plain request
  };
  void loadFileURL(const std::string& fileUrl, const std::string& readAccessUrl) override;
  void loadRequest(const std::string& url) override;
  // The addresses it was asked to load, in order.
  std::vector<std::string> loads() const;
  std::vector<Load> loadDetails() const { return loads_; }

 private:
  std::vector<Load> loads_;
};

// The rows shown are worked out once after each change, so reading one row by its position
// stays cheap in a table of many rows.
class ArrayController : public platform::ArrayController {
 public:
  void addObject(const Row& row) override;
  void addObjects(std::vector<Row> rows) override;
  std::vector<Row> content() const override { return rows_; }
  void setContent(const std::vector<Row>& rows) override;
  void setFilter(std::function<bool(const Row&)> filter) override;
  std::vector<Row> arrangedObjects() const override;
  size_t arrangedCount() const override;
  std::optional<Row> arrangedObjectAt(size_t index) const override;
  bool hasFilter() const { return static_cast<bool>(filter_); }

 private:
  const std::vector<size_t>& shown() const;
  std::vector<Row> rows_;
  std::function<bool(const Row&)> filter_;
  mutable std::optional<std::vector<size_t>> shown_;
};

class TableView : public platform::TableView {
 public:
  void reloadData() override { ++reloads_; }
  int selectedRow() const override { return selected_.empty() ? -1 : selected_.front(); }
  int clickedRow() const override { return clicked_; }
  std::vector<int> selectedRowIndexes() const override { return selected_; }
  void deselectAll() override { selected_.clear(); }

  void setSelectedRowIndexes(std::vector<int> rows) { selected_ = std::move(rows); }
  void setClickedRow(int row) { clicked_ = row; }
  int reloadCount() const { return reloads_; }

 private:
  std::vector<int> selected_;
  int clicked_ = -1;
  int reloads_ = 0;
};

std::shared_ptr<platform::Control> makeControl(platform::ControlKind kind);

}  // namespace molbench::headless
