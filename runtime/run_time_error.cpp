// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/run_time_error.h"

#include <new>

#include "runtime/arithmetic_fault.h"

namespace quorvel {

std::string NameOfRunTimeError(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const ArithmeticFault& fault) {
    return FaultName(fault.kind());
  } catch (const std::bad_alloc&) {
    return "Memoria insuficiente";
  } catch (...) {
    return "Error en tiempo de ejecución";
  }
}

}  // namespace quorvel
