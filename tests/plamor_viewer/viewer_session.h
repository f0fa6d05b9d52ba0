// What every viewer test runs in: a scratch folder whose config/ is the
// user's settings folder, drawings made by the server in this process, the
// Qt application, and reports written to standard error instead of dialogs.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "apps/plamor_viewer/report.h"

namespace plamor::testing {

class ViewerSession {
 public:
  ViewerSession() {
    setenv("XDG_CONFIG_HOME", folder.filePath("config").toUtf8().constData(), 1);
    setenv("PLAMOR_TRANSPORT", "inproc", 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    viewer::ReportToStandardError(true);
  }

  QTemporaryDir folder;  // valid unless the temporary folder cannot be made

 private:
  int argc_ = 1;
  char name_[16] = "viewer_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

}  // namespace plamor::testing
