// The controls a pane reaches through its outlets. Both back ends implement these: the
// headless one keeps the values in memory, the Qt one forwards to real widgets.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace molbench::platform {

enum class ControlKind {
  View,
  TextField,
  PopUpButton,
  Button,
  TextView,
  WebView,
  TableView,
  ArrayController,
};

const char* controlKindName(ControlKind kind);

class Control {
 public:
  using Action = std::function<void(Control* sender)>;

  virtual ~Control() = default;
  virtual ControlKind kind() const = 0;

  // The layout sets the action a control sends; the back end calls sendAction when the user
  // operates the control (a click, a pick in a popup).
  void setAction(Action action) { action_ = std::move(action); }
  bool hasAction() const { return static_cast<bool>(action_); }
  void sendAction() {
    if (action_) action_(this);
  }

 private:
  Action action_;
};

struct Rect {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

class View : public Control {
 public:
  ControlKind kind() const override { return ControlKind::View; }
  virtual std::vector<std::shared_ptr<View>> subviews() const = 0;
  virtual void addSubview(const std::shared_ptr<View>& view) = 0;
  virtual void removeFromSuperview() = 0;
  virtual Rect frame() const = 0;
  virtual void setFrame(const Rect& frame) = 0;
  virtual Rect bounds() const = 0;
};

class TextField : public Control {
 public:
  ControlKind kind() const override { return ControlKind::TextField; }
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  // The grey text shown while the field is empty; it is never the field's text.
  virtual void setPlaceholder(const std::string& placeholder) = 0;
  virtual std::string placeholder() const = 0;
};

class PopUpButton : public Control {
 public:
  ControlKind kind() const override { return ControlKind::PopUpButton; }
  virtual void removeAllItems() = 0;
  virtual void addItemsWithTitles(const std::vector<std::string>& titles) = 0;
  // Selecting from code sends no action.
  virtual void selectItemAtIndex(int index) = 0;
  virtual std::vector<std::string> itemTitles() const = 0;
  // -1 when nothing is selected.
  virtual int indexOfSelectedItem() const = 0;

  // The popup's title: the selected item's title, "" when there is none.
  std::string titleOfSelectedItem() const {
    auto title = selectedItemTitle();
    return title ? *title : std::string();
  }
  // The selected item's title, absent when no item is selected.
  std::optional<std::string> selectedItemTitle() const {
    int index = indexOfSelectedItem();
    auto titles = itemTitles();
    if (index < 0 || index >= static_cast<int>(titles.size())) return std::nullopt;
    return titles[static_cast<size_t>(index)];
  }
};

enum class ControlState { Off, On, Mixed };

class Button : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Button; }
  virtual ControlState state() const = 0;
  virtual void setState(ControlState state) = 0;
  // A mixed state counts as not on.
  bool isOn() const { return state() == ControlState::On; }
  void setOn(bool on) { setState(on ? ControlState::On : ControlState::Off); }
};

// The document of a scroll view: text that panes replace or append to.
class TextView : public Control {
 public:
  ControlKind kind() const override { return ControlKind::TextView; }
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  virtual void appendText(const std::string& text) { setText(this->text() + text); }
};

class WebView : public Control {
 public:
  ControlKind kind() const override { return ControlKind::WebView; }
  // Loads a file URL, letting the page read files below readAccessUrl.
  virtual void loadFileURL(const std::string& fileUrl, const std::string& readAccessUrl) = 0;
  // Loads any address (a remote image, a page).
  virtual void loadRequest(const std::string& url) = 0;
};

// One row of a table: values by key name, as the array controller and its filter see them.
using Row = std::map<std::string, std::string>;

class ArrayController : public Control {
 public:
  ControlKind kind() const override { return ControlKind::ArrayController; }
  virtual void addObject(const Row& row) = 0;
  // Appends a batch at once, so a table of many rows updates once.
  virtual void addObjects(std::vector<Row> rows) {
    for (const auto& row : rows) addObject(row);
  }
  virtual std::vector<Row> content() const = 0;
  virtual void setContent(const std::vector<Row>& rows) = 0;
  // Rows shown: those the filter accepts, all rows when there is no filter.
  virtual void setFilter(std::function<bool(const Row&)> filter) = 0;
  virtual std::vector<Row> arrangedObjects() const = 0;
  // One shown row by its position in the table, without copying the others; nothing past the
  // last row.
  virtual size_t arrangedCount() const { return arrangedObjects().size(); }
  virtual std::optional<Row> arrangedObjectAt(size_t index) const {
    auto shown = arrangedObjects();
    if (index >= shown.size()) return std::nullopt;
    return shown[index];
  }
};

class TableView : public Control {
 public:
  ControlKind kind() const override { return ControlKind::TableView; }
  virtual void reloadData() = 0;
  // -1 when none.
  virtual int selectedRow() const = 0;
  virtual int clickedRow() const = 0;
  virtual std::vector<int> selectedRowIndexes() const = 0;
  virtual size_t numberOfSelectedRows() const { return selectedRowIndexes().size(); }
  virtual void deselectAll() = 0;
};

}  // namespace molbench::platform
