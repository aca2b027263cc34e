// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/program.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <memory>
#include <string>

#include "frontends/web/error_report.h"
#include "frontends/web/form1_page.h"
#include "runtime/conversions.h"

namespace quorvel::web {

namespace {

// The room the page leaves around the window, in CSS pixels, on each side.
constexpr double kPageMargin = 8;

std::unique_ptr<Form1Page>& Page() {
  static std::unique_ptr<Form1Page> page;
  return page;
}

void OnForm1Event(val event) {
  if (Page()) Page()->HandleEvent(event);
}

// On a screen narrower than the window, the window is shown smaller as a whole, its
// proportions kept: the design is not reflowed.
void FitToViewport(val /*event*/) {
  if (!Page() || Page()->Ended()) return;
  const double room = Document()["documentElement"]["clientWidth"].as<double>() - 2 * kPageMargin;
  const double width = ui::kForm1.clientWidth / static_cast<double>(ui::kTwipsPerPixel);
  const double scale = std::max(0.1, room / width);
  val& window = Page()->Window();
  if (scale < 1) {
    SetStyle(window, "transform", "scale(" + NumberToText(scale, ".") + ")");
  } else {
    window["style"].call<void>("removeProperty", val("transform"));
  }
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
  FitToViewport(val::undefined());
  Listen(val::global("window"), "resize", "fitToViewport");
  val::global("window").call<void>("requestAnimationFrame",
                                   val::module_property("afterFirstFrame"));
  return 0;
}

}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_web) {
  emscripten::function("onForm1Event", &quorvel::web::OnForm1Event);
  emscripten::function("fitToViewport", &quorvel::web::FitToViewport);
  emscripten::function("acceptErrorReport", &quorvel::web::OnAccept);
  emscripten::function("afterFirstFrame", &quorvel::web::AfterFirstFrame);
  emscripten::function("workOffline", &quorvel::web::WorkOffline);
  emscripten::function("errorReportPressed", &quorvel::web::OnReportPressed);
  emscripten::function("errorReportClosed", &quorvel::web::OnReportClosed);
}
