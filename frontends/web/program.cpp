// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/program.h"

#include <emscripten/bind.h>

#include <memory>
#include <string>

#include "frontends/web/error_report.h"
#include "frontends/web/form1_page.h"

namespace quorvel::web {

namespace {

std::unique_ptr<Form1Page>& Page() {
  static std::unique_ptr<Form1Page> page;
  return page;
}

void OnForm1Event(val event) {
  if (Page()) Page()->HandleEvent(event);
}

void OnAccept(val /*event*/) { AcceptErrorReport(); }
void OnReportPressed(val event) { ErrorReportPressed(event); }
void OnReportClosed(val /*event*/) { ErrorReportClosed(); }

// After one visit the page opens and calculates with no network: a service worker keeps the
// program's own files. Pages served from an origin that is not secure have none. It is
// registered once the window has been drawn, for it fetches every file again meanwhile.
void WorkOffline() {
  const val serviceWorker = val::global("navigator")["serviceWorker"];
  if (serviceWorker.isUndefined()) return;
  serviceWorker.call<val>("register", val("sw.js"));
}

void AfterFirstFrame(val /*frameTime*/) {
  val::global("window").call<void>("setTimeout", val::module_property("workOffline"), val(0));
}

}  // namespace

int Start() {
  Document().set("title", val(ui::kForm1.caption));
  Page() = std::make_unique<Form1Page>();
  val::global("window").call<void>("requestAnimationFrame",
                                   val::module_property("afterFirstFrame"));
  return 0;
}

}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_web) {
  emscripten::function("onForm1Event", &quorvel::web::OnForm1Event);
  emscripten::function("acceptErrorReport", &quorvel::web::OnAccept);
  emscripten::function("afterFirstFrame", &quorvel::web::AfterFirstFrame);
  emscripten::function("workOffline", &quorvel::web::WorkOffline);
  emscripten::function("errorReportPressed", &quorvel::web::OnReportPressed);
  emscripten::function("errorReportClosed", &quorvel::web::OnReportClosed);
}
