// A drawing object that passes every member on to another one unchanged; a
// host that follows a drawing a chart control makes (plamor-draw's relay, the
// viewer adding a fitted curve) derives from it and overrides only the
// members it watches or changes.
#pragma once

#include <memory>

#include "server/plamor_interface.h"

namespace plamor::host {

class ForwardingPlamor : public IPlamor {
 public:
  explicit ForwardingPlamor(std::unique_ptr<IPlamor> inner) : inner_(std::move(inner)) {}

  IPlamor& Inner() { return *inner_; }

#define PLAMOR_PROPERTY(Name, Type, Tag)                                        \
  void put_##Name(PropertyIn<Type> value) override { inner_->put_##Name(value); } \
  PLAMOR_READONLY(Name, Type, Tag)
#define PLAMOR_READONLY(Name, Type, Tag) \
  Type get_##Name() override { return inner_->get_##Name(); }
#define PLAMOR_ELEMENT(Name, Params, Args) PLAMOR_METHOD(void, Name, Params, Args)
#define PLAMOR_METHOD(Result, Name, Params, Args) \
  Result Name Params override { return inner_->Name Args; }
#define PLAMOR_LOCAL(Result, Name, Params, Args) PLAMOR_METHOD(Result, Name, Params, Args)
#include "server/plamor_members.def"

 protected:
  std::unique_ptr<IPlamor> inner_;
};

}  // namespace plamor::host
