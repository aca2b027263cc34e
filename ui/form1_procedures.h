// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form1's five event procedures: all of the program's own logic around its window. They
// work on the window only through the front end they are given, keep nothing between
// calls and trap no error: a run-time error (an ArithmeticFault from the calculation)
// leaves the procedure at once, before anything more changes, for the front end's error
// report to name.

namespace quorvel::ui {

class Form1Frontend;

using EventProcedure = void (*)(Form1Frontend& form);

// Once, when the window and its controls exist, before it shows: no area field can be
// edited until an option is chosen.
void Form_Load(Form1Frontend& form);

// "Area Frontal": the area is typed directly; height and width are emptied.
void Option1_Click(Form1Frontend& form);

// "Alto x Ancho": the area comes from height and width; the direct area is emptied.
void Option2_Click(Form1Frontend& form);

// "Calcular": reads every field, calculates Cx and shows it in Label15.
void Command1_Click(Form1Frontend& form);

// "Salir": End.
void Command2_Click(Form1Frontend& form);

}  // namespace quorvel::ui
