// Writes the toolbox's price and score calculators as Designer forms for plain_form_window,
// read back from the live windows (plain_mirror.cpp), each picture box showing its table picture.
//
//   make_plain_forms PRICE_FORM.ui SCORE_FORM.ui
#include <QApplication>
#include <QFile>

#include "app/toolbox.h"
#include "bench/plain_mirror.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "toolbox_forms.h"

namespace {

bool Write(uint32_t window, const char* picture, const char* path) {
  if (runtime::LoadWindow({window, nullptr, 0}) != 0) return false;
  QFile out(QString::fromLocal8Bit(path));
  return out.open(QIODevice::WriteOnly) &&
         out.write(bench::DesignerForm(bench::Mirror(window), QStringLiteral(PICTURES_DIR "/") + picture)) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 3) return 2;
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  const bool ok = Write(toolbox::price::kWindow, "price_table.png", argv[1]) &&
                  Write(toolbox::score::kWindow, "score_table.jpg", argv[2]);
  runtime::StopHost();
  return ok ? 0 : 1;
}
