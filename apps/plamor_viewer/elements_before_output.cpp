#include "apps/plamor_viewer/elements_before_output.h"

#include <memory>

#include "server/host/forwarding_plamor.h"
#include "server/host/host_entry.h"

namespace plamor::viewer {
namespace {

class AddingPlamor final : public host::ForwardingPlamor {
 public:
  AddingPlamor(std::unique_ptr<IPlamor> inner, std::function<void(IPlamor&)> add)
      : ForwardingPlamor(std::move(inner)), add_(std::move(add)) {}

  void OutPutPlamor(const std::string& MGLPath) override {
    add_(*inner_);
    inner_->OutPutPlamor(MGLPath);
  }

 private:
  std::function<void(IPlamor&)> add_;
};

}  // namespace

ElementsBeforeOutput::ElementsBeforeOutput(std::function<void(IPlamor&)> add) {
  host::SetPlamorFactory([add](std::string_view identifier, host::Transport transport) -> std::unique_ptr<IPlamor> {
    return std::make_unique<AddingPlamor>(host::CreateServerPlamorObject(identifier, transport), add);
  });
}

ElementsBeforeOutput::~ElementsBeforeOutput() { host::SetPlamorFactory({}); }

}  // namespace plamor::viewer
