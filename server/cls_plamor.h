// clsPlamor: the one creatable class of the drawing server. It owns one
// server dialog (state holder, element store and output run) and its view,
// and forwards nearly every member to the dialog; a few settings are
// module-wide: they belong to the apartment the object was made in (the
// thread's own, or the one its creator entered with ScopedSettings) and are
// shared by every object of that apartment.
#pragma once

#include <memory>

#include "server/plamor_interface.h"

namespace plamor {

namespace prompts {
class Prompter;
}
struct ModuleSettings;
class DlgView;
class EventPump;
class frmPlamorDlg;

class clsPlamor final : public IPlamor {
 public:
  // The view shows the dialog (a Qt window or a headless view); the pump
  // serves the user interface while registration and the output run yield.
  // The object keeps the settings apartment it is made in; its paints (which
  // start and run the output) and its end enter that apartment, and whoever
  // calls its members enters it too.
  clsPlamor(std::unique_ptr<DlgView> view, std::unique_ptr<EventPump> pump);
  ~clsPlamor() override;
  clsPlamor(const clsPlamor&) = delete;
  clsPlamor& operator=(const clsPlamor&) = delete;

  frmPlamorDlg& Dialog() { return *dlg_; }

  // Prompts of this drawing's output run go to `prompter` (not owned; null:
  // the process's current prompter). A server answering each host's prompts
  // from its own lists sets it.
  void UsePrompter(prompts::Prompter* prompter);
  DlgView& View() { return *view_; }
  // Ends a running or pending output run by the cancel path, as a confirmed
  // cancel button does; for a server whose host can no longer wait for it.
  // With a reason (the server is ending), the run is reported as failed
  // with that text rather than cancelled.
  void CancelOutput(const std::string& reason = "");
  // `check` runs when a run's file is complete, just before it is put in
  // place: a CancelOutput it makes still stops the run, and no file is left.
  // The D-Bus server asks there whether the drawing's host is still there.
  void OnFileComplete(std::function<void()> check);
  EventPump& Pump() { return *pump_; }

  // The members of the drawing interface (plamor_members.def), defined in
  // cls_plamor.cpp.
#define PLAMOR_DECLARE(...) __VA_ARGS__ override;
#include "server/plamor_declarations.inc"

 private:
  // Members that change what an output run reads or writes (the store, the
  // file name, paper, scale, origin, bearing, memo and file options) are
  // refused with the busy error from OutPutPlamor until the run has ended;
  // reading them stays possible.
  void RefuseWhileWriting(const char* member) const;

  std::unique_ptr<DlgView> view_;
  std::unique_ptr<EventPump> pump_;
  std::unique_ptr<frmPlamorDlg> dlg_;
  prompts::Prompter* prompter_ = nullptr;
  ModuleSettings* settings_;  // the apartment the object was made in
};

}  // namespace plamor
