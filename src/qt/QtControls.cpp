#include "qt/QtControls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <functional>

namespace molbench::qt {

namespace {

// Widgets may only be touched on their own thread; URL-session completions run elsewhere, so
// their writes are posted to the widget's thread instead of racing it.
void onWidgetThread(QObject* widget, std::function<void()> work) {
  if (!widget) return;
  if (QThread::currentThread() == widget->thread()) {
    work();
  } else {
    QMetaObject::invokeMethod(widget, std::move(work), Qt::QueuedConnection);
  }
}

QString qtText(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// --- QtTextField ---------------------------------------------------------------------------

QtTextField::QtTextField(QWidget* widget) : widget_(widget) {}

QLineEdit* QtTextField::line() const { return qobject_cast<QLineEdit*>(widget_.data()); }
QPlainTextEdit* QtTextField::block() const { return qobject_cast<QPlainTextEdit*>(widget_.data()); }

std::string QtTextField::text() const {
  if (auto* edit = line()) return edit->text().toStdString();
  if (auto* edit = block()) return edit->toPlainText().toStdString();
  return {};
}

void QtTextField::setText(const std::string& text) {
  QPointer<QWidget> widget = widget_;
  onWidgetThread(widget, [widget, text = qtText(text)] {
    if (auto* edit = qobject_cast<QLineEdit*>(widget.data())) edit->setText(text);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget.data())) edit->setPlainText(text);
  });
}

void QtTextField::setPlaceholder(const std::string& placeholder) {
  if (auto* edit = line()) edit->setPlaceholderText(qtText(placeholder));
  if (auto* edit = block()) edit->setPlaceholderText(qtText(placeholder));
}

std::string QtTextField::placeholder() const {
  if (auto* edit = line()) return edit->placeholderText().toStdString();
  if (auto* edit = block()) return edit->placeholderText().toStdString();
  return {};
}

// --- QtPopUpButton -------------------------------------------------------------------------

void QtPopUpButton::removeAllItems() {
  if (combo_) combo_->clear();
}

void QtPopUpButton::addItemsWithTitles(const std::vector<std::string>& titles) {
  if (!combo_) return;
  for (const auto& title : titles) {
    QString text = qtText(title);
    int existing = combo_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing >= 0) combo_->removeItem(existing);
    combo_->addItem(text);
  }
  if (combo_->currentIndex() < 0 && combo_->count() > 0) combo_->setCurrentIndex(0);
}

void QtPopUpButton::selectItemAtIndex(int index) {
  if (!combo_) return;
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
}

std::vector<std::string> QtPopUpButton::itemTitles() const {
  std::vector<std::string> titles;
  if (!combo_) return titles;
  for (int i = 0; i < combo_->count(); ++i) titles.push_back(combo_->itemText(i).toStdString());
  return titles;
}

int QtPopUpButton::indexOfSelectedItem() const { return combo_ ? combo_->currentIndex() : -1; }

// --- QtButton ------------------------------------------------------------------------------

QtButton::QtButton(QAbstractButton* button) : button_(button) {}

platform::ControlState QtButton::state() const {
  using platform::ControlState;
  if (!button_) return ControlState::Off;
  if (auto* box = qobject_cast<QCheckBox*>(button_.data())) {
    switch (box->checkState()) {
      case Qt::Checked:
        return ControlState::On;
      case Qt::PartiallyChecked:
        return ControlState::Mixed;
      case Qt::Unchecked:
        return ControlState::Off;
    }
  }
  if (!button_->isCheckable()) return pushState_;
  return button_->isChecked() ? ControlState::On : ControlState::Off;
}

void QtButton::setState(platform::ControlState state) {
  using platform::ControlState;
  if (!button_) return;
  if (auto* box = qobject_cast<QCheckBox*>(button_.data())) {
    if (state == ControlState::Mixed) box->setTristate(true);
    box->setCheckState(state == ControlState::On      ? Qt::Checked
                       : state == ControlState::Mixed ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
    return;
  }
  if (!button_->isCheckable()) {
    pushState_ = state;
    return;
  }
  if (state == ControlState::On) {
    button_->setChecked(true);  // its exclusive group switches the others off
    return;
  }
  // An exclusive radio button refuses to be switched off directly; the pane decides.
  bool exclusive = button_->autoExclusive();
  button_->setAutoExclusive(false);
  button_->setChecked(false);
  button_->setAutoExclusive(exclusive);
}

// --- QtTextView ----------------------------------------------------------------------------

QtTextView::QtTextView(QPlainTextEdit* edit) : edit_(edit) {}

std::string QtTextView::text() const { return edit_ ? edit_->toPlainText().toStdString() : ""; }

void QtTextView::setText(const std::string& text) {
  QPointer<QPlainTextEdit> edit = edit_;
  onWidgetThread(edit, [edit, text = qtText(text)] {
    if (edit) edit->setPlainText(text);
  });
}

void QtTextView::appendText(const std::string& text) {
  QPointer<QPlainTextEdit> edit = edit_;
  onWidgetThread(edit, [edit, text = qtText(text)] {
    if (!edit) return;
    // insertPlainText keeps the text as given; appendPlainText would start a new paragraph.
    QTextCursor cursor(edit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
  });
}

// --- QtWebView -----------------------------------------------------------------------------

QtWebView::QtWebView(QWebEngineView* view) : view_(view) {}

QWebEngineView* QtWebView::widget() const { return static_cast<QWebEngineView*>(view_.data()); }

void QtWebView::loadFileURL(const std::string& fileUrl, const std::string&) {
  auto* view = widget();
  if (!view) return;
  // Generated pages load the editor and viewer scripts and the molecule files beside them.
  view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view->load(QUrl(qtText(fileUrl)));
}

void QtWebView::loadRequest(const std::string& url) {
  if (auto* view = widget()) view->load(QUrl(qtText(url)));
}

}  // namespace molbench::qt
