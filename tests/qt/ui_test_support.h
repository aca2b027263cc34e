// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers that drive Form1 as a user does: typing, clicking, and closing the error report.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "frontends/qt/form1_window.h"

// Lets failing expectations print Qt's strings as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace quorvel::qt::testing {

// A Form1 as it opens, shown and exposed so that mouse and keyboard reach it.
class OpenWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<Form1>();
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }

  void TearDown() override { form_.reset(); }

 public:
  // The helpers are public so that table-driven cases can call them on the fixture.
  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = form_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  QLineEdit* Field(const char* name) { return Control<QLineEdit>(name); }

  // Replaces a field's text by typing, as a user does after selecting what was there.
  void Type(const char* name, const QString& text) {
    QLineEdit* field = Field(name);
    ASSERT_TRUE(field->isEnabled()) << name << " is disabled";
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }

  // Clicks an option button on its round indicator.
  void ClickOption(const char* name) {
    auto* option = Control<QRadioButton>(name);
    QStyleOptionButton style;
    style.initFrom(option);
    const QRect indicator =
        option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option);
    QTest::mouseClick(option, Qt::LeftButton, {}, indicator.center());
  }

  void ClickButton(const char* name) {
    auto* button = Control<QPushButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  }

  std::unique_ptr<Form1> form_;
};

// What the error report showed, read before closing it.
struct ReportSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowModality modality = Qt::NonModal;
  QStringList buttons;
};

// Armed before the action that may open the error report: it waits for the modal report,
// records it and presses its "Aceptar" button. A report that never comes is not closed and
// nothing is recorded; one that stays open makes the test time out rather than pass.
class ReportCloser {
 public:
  explicit ReportCloser(int patienceMs = 2000) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this, patienceMs] {
      waitedMs_ += 10;
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        timer_.stop();
        ReportSeen seen{box->windowTitle(), box->text(), box->icon(), box->windowModality(), {}};
        for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
        seen_ = seen;
        if (!box->buttons().isEmpty()) {
          QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        }
      } else if (waitedMs_ >= patienceMs) {
        timer_.stop();
      }
    });
    timer_.start();
  }

  const std::optional<ReportSeen>& seen() const { return seen_; }

 private:
  QTimer timer_;
  int waitedMs_ = 0;
  std::optional<ReportSeen> seen_;
};

}  // namespace quorvel::qt::testing
