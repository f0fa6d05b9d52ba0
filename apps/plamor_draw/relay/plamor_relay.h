// A drawing object that passes every call on to the real one, so that
// plamor-draw can follow a drawing a chart control makes: count its elements
// for the progress display, and look at the server's prompts before the
// control clears the drawing, and give the drawing up when the program is
// asked to stop.
#pragma once

#include <functional>
#include <memory>

#include "server/host/forwarding_plamor.h"
#include "platform/stop_signals.h"

namespace plamor::draw {

struct RelayHooks {
  std::function<void(long elements)> onElement;   // after each element call
  std::function<void(long elements)> onOutput;    // before OutPutPlamor
  // Registers elements of the command's own (a fitted curve) in the drawing
  // just before it is written, beside those the control registered.
  std::function<void(IPlamor& drawing)> beforeOutput;
  std::function<void()> beforeClear;              // before each Clear
  // When set, a file name the control leaves empty is replaced by this one.
  std::string presetFileName;
  // When set, the server writes the drawing once more into this standard
  // drawing file (.plm) after the control's own output, before Clear: the
  // same store, so exactly the elements that went into the control's file.
  std::string copyTo;
};

class PlamorRelay final : public host::ForwardingPlamor {
 public:
  PlamorRelay(std::unique_ptr<IPlamor> inner, RelayHooks hooks)
      : ForwardingPlamor(std::move(inner)), hooks_(std::move(hooks)) {}

  // Every wait for the output run polls this: a program asked to stop gives
  // the drawing up here (the object is released, the run ends by its cancel path).
  bool get_IdolePlamorOutPut() override {
    stopsignals::ThrowIfReceived();
    return inner_->get_IdolePlamorOutPut();
  }
  void put_FileName(const std::string& v) override;
  void Clear() override;
  void OutPutPlamor(const std::string& MGLPath) override;

  // Each element call is counted once the drawing has it.
#define PLAMOR_PROPERTY(Name, Type, Tag)
#define PLAMOR_READONLY(Name, Type, Tag)
#define PLAMOR_ELEMENT(Name, Params, Args) \
  void Name Params override {              \
    inner_->Name Args;                     \
    Counted();                             \
  }
#define PLAMOR_METHOD(Result, Name, Params, Args)
#define PLAMOR_LOCAL(Result, Name, Params, Args)
#include "server/plamor_members.def"

 private:
  void Counted();
  void WriteCopy();

  RelayHooks hooks_;
  long elements_ = 0;
  std::string strokeFont_;  // as the control's output named it
};

}  // namespace plamor::draw
