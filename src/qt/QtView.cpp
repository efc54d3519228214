#include "qt/QtView.h"

#include <QLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace molbench::qt {

void placeInside(QWidget* container, QWidget* child) {
  QLayout* layout = container->layout();
  if (!layout) {
    layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  layout->addWidget(child);
  child->show();
}

QtView::QtView(QWidget* widget, bool ownsDetachedWidget)
    : widget_(widget), ownsDetachedWidget_(ownsDetachedWidget) {}

QtView::~QtView() {
  if (ownsDetachedWidget_ && widget_ && !widget_->parent()) delete widget_.data();
}

void QtView::forgetDeparted() const {
  added_.erase(std::remove_if(added_.begin(), added_.end(),
                              [this](const std::shared_ptr<platform::View>& view) {
                                auto* qtView = static_cast<QtView*>(view.get());
                                return !widget_ || !qtView->widget() ||
                                       qtView->widget()->parentWidget() != widget_;
                              }),
               added_.end());
}

std::vector<std::shared_ptr<platform::View>> QtView::subviews() const {
  std::vector<std::shared_ptr<platform::View>> result;
  if (!widget_) return result;
  forgetDeparted();
  for (QObject* child : widget_->children()) {
    auto* childWidget = qobject_cast<QWidget*>(child);
    if (!childWidget || childWidget->isWindow()) continue;
    auto known = std::find_if(added_.begin(), added_.end(), [childWidget](const auto& view) {
      return static_cast<QtView*>(view.get())->widget() == childWidget;
    });
    result.push_back(known != added_.end() ? *known : std::make_shared<QtView>(childWidget));
  }
  return result;
}

void QtView::addSubview(const std::shared_ptr<platform::View>& view) {
  auto* qtView = dynamic_cast<QtView*>(view.get());
  if (!widget_ || !qtView || !qtView->widget() || qtView->widget() == widget_) return;
  placeInside(widget_, qtView->widget());
  forgetDeparted();
  if (std::find(added_.begin(), added_.end(), view) == added_.end()) added_.push_back(view);
}

void QtView::removeFromSuperview() {
  if (!widget_ || !widget_->parentWidget()) return;
  // Unparenting also takes the widget out of the container's layout.
  widget_->hide();
  widget_->setParent(nullptr);
  ownsDetachedWidget_ = true;
}

platform::Rect QtView::frame() const {
  if (!widget_) return {};
  QRect geometry = widget_->geometry();
  return {double(geometry.x()), double(geometry.y()), double(geometry.width()),
          double(geometry.height())};
}

void QtView::setFrame(const platform::Rect& frame) {
  if (!widget_) return;
  widget_->setGeometry(int(frame.x), int(frame.y), int(frame.width), int(frame.height));
}

platform::Rect QtView::bounds() const {
  if (!widget_) return {};
  return {0, 0, double(widget_->width()), double(widget_->height())};
}

QWidget* SceneView::outletWidget(const std::string& name) const {
  auto found = outlets_.find(name);
  return found == outlets_.end() ? nullptr : found->second.data();
}

}  // namespace molbench::qt
