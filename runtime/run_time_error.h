// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>

namespace quorvel {

// The Spanish name of the run-time error held by `error`, as the error report shows it
// (UTF-8): the fault's own name for an ArithmeticFault, "Memoria insuficiente" when memory
// ran out, and "Error en tiempo de ejecución" for anything else.
std::string NameOfRunTimeError(const std::exception_ptr& error);

}  // namespace quorvel
