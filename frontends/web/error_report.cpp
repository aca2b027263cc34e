// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/error_report.h"

#include <string>

#include "frontends/web/dom.h"

namespace quorvel::web {

namespace {

constexpr char kReportId[] = "ErrorReport";

val NewChild(val& parent, const char* tag, const char* id) {
  val child = NewElement(tag);
  if (id) child.set("id", val(id));
  Append(parent, child);
  return child;
}

}  // namespace

void ShowErrorReport(std::string_view errorName) {
  val dialog = NewElement("dialog");
  dialog.set("id", val(kReportId));
  SetAttribute(dialog, "role", "alertdialog");
  SetAttribute(dialog, "aria-labelledby", "ErrorReportTitle");
  SetAttribute(dialog, "aria-describedby", "ErrorReportMessage");
  val title = NewChild(dialog, "div", "ErrorReportTitle");
  SetTextContent(title, "Quorvel");
  val body = NewChild(dialog, "div", "ErrorReportBody");
  val icon = NewChild(body, "img", "ErrorReportIcon");
  icon.set("src", val("critical.svg"));
  icon.set("alt", val(""));
  val message = NewChild(body, "p", "ErrorReportMessage");
  SetTextContent(message, errorName);
  val buttons = NewChild(dialog, "div", "ErrorReportButtons");
  val accept = NewChild(buttons, "button", "ErrorReportAccept");
  accept.set("type", val("button"));
  SetTextContent(accept, "Aceptar");
  Listen(accept, "click", "acceptErrorReport");
  // Escape closes a modal dialog by itself; either way the dialog leaves the page.
  Listen(dialog, "close", "errorReportClosed");
  // A click on the dialog's own face or beside it (the backdrop is the dialog's) leaves the
  // focus on "Aceptar", as in a message box.
  Listen(dialog, "mousedown", "errorReportPressed");
  val page = Document()["body"];
  Append(page, dialog);
  dialog.call<void>("showModal");
  accept.call<void>("focus");
}

void AcceptErrorReport() {
  val dialog = ElementById(kReportId);
  if (!dialog.isNull()) dialog.call<void>("close");
}

void ErrorReportPressed(const val& event) {
  if (event["target"]["id"].as<std::string>() != "ErrorReportAccept") {
    event.call<void>("preventDefault");
  }
}

void ErrorReportClosed() {
  val dialog = ElementById(kReportId);
  if (!dialog.isNull()) dialog.call<void>("remove");
}

}  // namespace quorvel::web
