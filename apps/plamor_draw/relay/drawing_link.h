// How a plamor-draw command reaches the drawing server while a chart control
// (or the command itself) makes a drawing: every drawing object created in
// the meantime answers its save-file dialog with the command's output file,
// counts its elements on standard error, and keeps the server's prompts so
// that a failed run can say what the server reported.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <sstream>
#include <string>

#include "platform/prompts_batch.h"
#include "server/host/host_entry.h"

namespace plamor::draw {

class DrawingLink {
 public:
  // `saveAs` is the file the save-file dialog is answered with; `progress`
  // receives progress lines (nullptr for none).
  DrawingLink(host::Transport transport, std::string saveAs, std::ostream* progress);
  ~DrawingLink();  // restores the normal object creation and prompter
  DrawingLink(const DrawingLink&) = delete;
  DrawingLink& operator=(const DrawingLink&) = delete;

  host::Transport Transport() const { return transport_; }
  // Every drawing object made from now on also writes its drawing into this
  // standard drawing file before it is cleared (see RelayHooks::copyTo).
  void KeepCopyIn(std::string plmFile) { copyTo_ = std::move(plmFile); }
  // Every drawing object made from now on has `add` register the command's
  // own elements just before it is written (see RelayHooks::beforeOutput).
  void AddBeforeOutput(std::function<void(IPlamor&)> add) { beforeOutput_ = std::move(add); }
  // A drawing object of the link (for commands that draw themselves).
  std::unique_ptr<IPlamor> Create();
  // What the server asked and answered so far.
  std::string Prompts() const { return prompts_.str(); }
  // How the last output run of a drawing of the link ended, as its drawing
  // object told just before it was cleared.
  const RunResult& LastRun() const { return lastRun_; }

 private:
  std::unique_ptr<IPlamor> CreateReal(std::string_view identifier);

  host::Transport transport_;
  std::string saveAs_;
  std::string copyTo_;
  std::function<void(IPlamor&)> beforeOutput_;
  std::ostream* progress_;
  std::ostringstream prompts_;
  prompts::BatchPrompter prompter_;
  prompts::ScopedPrompter scopedPrompter_;
  RunResult lastRun_;
};

}  // namespace plamor::draw
