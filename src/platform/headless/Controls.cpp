#include "platform/headless/Controls.h"

#include <algorithm>
#include <iterator>

namespace molbench::headless {

std::vector<std::shared_ptr<platform::View>> View::subviews() const { return subviews_; }

void View::addSubview(const std::shared_ptr<platform::View>& view) {
  if (!view) return;
  view->removeFromSuperview();
  if (auto* headless = dynamic_cast<View*>(view.get())) headless->superview_ = this;
  subviews_.push_back(view);
}

void View::removeFromSuperview() {
  if (!superview_) return;
  auto& siblings = superview_->subviews_;
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                [this](const auto& view) { return view.get() == this; }),
                 siblings.end());
  superview_ = nullptr;
}

void PopUpButton::removeAllItems() {
  titles_.clear();
  selected_ = -1;
}

void PopUpButton::addItemsWithTitles(const std::vector<std::string>& titles) {
  for (const auto& title : titles) {
    // Like a menu, a popup holds each title once: adding it again moves it to the end.
    titles_.erase(std::remove(titles_.begin(), titles_.end(), title), titles_.end());
    titles_.push_back(title);
  }
  if (selected_ < 0 && !titles_.empty()) selected_ = 0;
  if (selected_ >= static_cast<int>(titles_.size())) selected_ = titles_.empty() ? -1 : 0;
}

void PopUpButton::selectItemAtIndex(int index) {
  selected_ = (index >= 0 && index < static_cast<int>(titles_.size())) ? index : -1;
}

std::string TextView::text() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void TextView::setText(const std::string& text) {
  std::lock_guard lock(mutex_);
  text_ = text;
}

void TextView::appendText(const std::string& text) {
  std::lock_guard lock(mutex_);
  text_ += text;
}

void WebView::loadFileURL(const std::string& fileUrl, const std::string& readAccessUrl) {
  loads_.push_back({fileUrl, readAccessUrl});
}

void WebView::loadRequest(const std::string& url) { loads_.push_back({url, ""}); }

std::vector<std::string> WebView::loads() const {
  std::vector<std::string> urls;
  for (const auto& load : loads_) urls.push_back(load.url);
  return urls;
}

void ArrayController::addObject(const Row& row) {
  rows_.push_back(row);
  shown_.reset();
}

void ArrayController::addObjects(std::vector<Row> rows) {
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  shown_.reset();
}

void ArrayController::setContent(const std::vector<Row>& rows) {
  rows_ = rows;
  shown_.reset();
}

void ArrayController::setFilter(std::function<bool(const Row&)> filter) {
  filter_ = std::move(filter);
  shown_.reset();
}

const std::vector<size_t>& ArrayController::shown() const {
  if (!shown_) {
    shown_.emplace();
    shown_->reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
      if (!filter_ || filter_(rows_[i])) shown_->push_back(i);
  }
  return *shown_;
}

std::vector<Row> ArrayController::arrangedObjects() const {
  std::vector<Row> rows;
  for (size_t index : shown()) rows.push_back(rows_[index]);
  return rows;
}

size_t ArrayController::arrangedCount() const { return shown().size(); }

std::optional<Row> ArrayController::arrangedObjectAt(size_t index) const {
  const auto& visible = shown();
  if (index >= visible.size()) return std::nullopt;
  return rows_[visible[index]];
}

std::shared_ptr<platform::Control> makeControl(platform::ControlKind kind) {
  using platform::ControlKind;
  switch (kind) {
    case ControlKind::View: return std::make_shared<View>();
    case ControlKind::TextField: return std::make_shared<TextField>();
    case ControlKind::PopUpButton: return std::make_shared<PopUpButton>();
    case ControlKind::Button: return std::make_shared<Button>();
    case ControlKind::TextView: return std::make_shared<TextView>();
    case ControlKind::WebView: return std::make_shared<WebView>();
    case ControlKind::TableView: return std::make_shared<TableView>();
    case ControlKind::ArrayController: return std::make_shared<ArrayController>();
  }
  return nullptr;
}

}  // namespace molbench::headless
