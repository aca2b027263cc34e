#pragma once

// The controls of the window Form1 as its designer laid them out.

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/result_label.h"

namespace quorvel {

// Every control of Form1 by its name. The window owns them all (Qt parent-child).
struct Form1Controls {
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label14 = nullptr;
  ResultLabel* Label15 = nullptr;
  QLabel* Label16 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLineEdit* Text7 = nullptr;
  QLineEdit* Text8 = nullptr;
  QLineEdit* Text9 = nullptr;
  QLineEdit* Text10 = nullptr;
  QLineEdit* Text11 = nullptr;
  QLineEdit* Text12 = nullptr;
  QComboBox* Combo1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* Image1 = nullptr;
  QFrame* Line1 = nullptr;
};

// Creates every control of Form1 inside `form`: kind, name, caption or initial text,
// place, font, accessible name and tab order; the combo box is drawn above the labels
// its box touches. Runs no event procedure.
Form1Controls BuildForm1Controls(QWidget& form);

}  // namespace quorvel
