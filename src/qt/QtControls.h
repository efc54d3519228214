// The Qt side of the simple controls: each adapter forwards to one widget of a loaded scene.
// Adapters hold the widget weakly: once Qt has deleted it they do nothing and answer empty
// values, so a pane that outlives its window cannot crash on a stale control.
#pragma once

#include <QComboBox>
#include <QPointer>
#include <QWidget>

#include "platform/Control.h"

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QWebEngineView;

namespace molbench::qt {

// A single-line QLineEdit, or a QPlainTextEdit for multi-line result fields.
class QtTextField : public platform::TextField {
 public:
  explicit QtTextField(QWidget* widget);
  std::string text() const override;
  void setText(const std::string& text) override;
  void setPlaceholder(const std::string& placeholder) override;
  std::string placeholder() const override;
  QWidget* widget() const { return widget_; }

 private:
  QPointer<QWidget> widget_;
  QLineEdit* line() const;
  QPlainTextEdit* block() const;
};

// Like a menu, the popup holds each title once; picks from code send no action, because only
// the combo box's activated signal (a user's pick) is wired to the action.
class QtPopUpButton : public platform::PopUpButton {
 public:
  explicit QtPopUpButton(QComboBox* combo) : combo_(combo) {}
  void removeAllItems() override;
  void addItemsWithTitles(const std::vector<std::string>& titles) override;
  void selectItemAtIndex(int index) override;
  std::vector<std::string> itemTitles() const override;
  int indexOfSelectedItem() const override;
  QComboBox* widget() const { return combo_; }

 private:
  QPointer<QComboBox> combo_;
};

// Check boxes (tri-state for mixed), radio buttons and push buttons.
class QtButton : public platform::Button {
 public:
  explicit QtButton(QAbstractButton* button);
  platform::ControlState state() const override;
  void setState(platform::ControlState state) override;
  QAbstractButton* widget() const { return button_; }

 private:
  QPointer<QAbstractButton> button_;
  // A plain push button has no checked state of its own; its state is kept here.
  platform::ControlState pushState_ = platform::ControlState::Off;
};

// A QPlainTextEdit whose text panes replace or append to, possibly from worker threads.
class QtTextView : public platform::TextView {
 public:
  explicit QtTextView(QPlainTextEdit* edit);
  std::string text() const override;
  void setText(const std::string& text) override;
  void appendText(const std::string& text) override;
  QPlainTextEdit* widget() const { return edit_; }

 private:
  QPointer<QPlainTextEdit> edit_;
};

class QtWebView : public platform::WebView {
 public:
  explicit QtWebView(QWebEngineView* view);
  void loadFileURL(const std::string& fileUrl, const std::string& readAccessUrl) override;
  void loadRequest(const std::string& url) override;
  QWebEngineView* widget() const;

 private:
  QPointer<QWidget> view_;
};

}  // namespace molbench::qt
